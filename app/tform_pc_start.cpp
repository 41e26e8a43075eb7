#include "tform_pc_start.h"

#include "appconfig.h"
#include "placement.h"
#include "tform_windows_main.h"
#include "updateleftovers.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

TForm_pc_start::TForm_pc_start(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form_pc_start"));
    setWindowTitle(AppConfig::ProductName);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Window);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(620, 440);
    m_picture = QPixmap(QStringLiteral(":/images/splash.svg"));
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void TForm_pc_start::setLeftoverFolders(const QString &appDataFolder, const QString &clientFolder)
{
    m_appDataFolder = appDataFolder;
    m_clientFolder = clientFolder;
}

void TForm_pc_start::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Run after the splash has been painted once, as the toolkit's show
    // handler would.
    QTimer::singleShot(0, this, &TForm_pc_start::FormShow);
}

void TForm_pc_start::FormShow()
{
    if (!m_main)
        return;
    // The main window's show handler runs the start sequence to its end,
    // while the window still stands above the screen.
    m_main->show();
    RemoveUpdateLeftovers(m_appDataFolder, m_clientFolder);
    placeMainWindow();
    m_main->Timer_Hide_Form_pc_start->start();
}

void TForm_pc_start::placeMainWindow()
{
    const QScreen *screen = m_main->screen();
    if (!screen)
        return;
    const QRect full = screen->geometry();
    const TaskbarRect taskbar = TaskbarFromGeometry(full, screen->availableGeometry());
    const QRect current(m_main->x() - full.x(), m_main->y() - full.y(), m_main->width(),
                        m_main->height());
    const QRect placed = PlaceBesideTaskbar(taskbar, full.size(), current);
    m_main->setGeometry(placed.translated(full.topLeft()));
}

void TForm_pc_start::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), m_picture);
}

void TForm_pc_start::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT closed();
}
