#include "tform_windows_main.h"

#include "appconfig.h"
#include "appinfo.h"
#include "inifile.h"
#include "tchromium.h"
#include "tanindicator.h"
#include "tclientmodule1.h"
#include "timage.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTimer>
#include <QSysInfo>
#include <QUrl>
#include <QWebEngineProfile>

#include <cmath>

namespace {

const QString kShopUrl = QStringLiteral("https://shop.quillmoor.cn/");

// Rounds to the nearest whole number, halves to even.
int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

TForm_windows_main::TForm_windows_main(QWidget *parent)
    : QWidget(parent), m_settingsFolder(QCoreApplication::applicationDirPath()),
      m_clientFolder(QCoreApplication::applicationDirPath())
{
    buildFrame();
    ColorBox1->resize(width(), 120);
    FormResize();
}

TForm_windows_main::~TForm_windows_main()
{
    // The pages must be gone before the profile they use.
    for (TChromium *browser : {chrmfmx_grzx, chrmfmx_Test, chrmfmx_tjfx, chrmfmx_Help})
        delete browser;
    delete m_profile;
}

QString TForm_windows_main::appInfoFile() const
{
    return m_settingsFolder + QStringLiteral("/AppInfo.ini");
}

void TForm_windows_main::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void TForm_windows_main::FormShow()
{
    if (!m_module)
        m_module = std::make_shared<TClientModule1>();
    m_module->ConnectAppServer();
    ThreadAppFlg = false;
    GetInterfaceData(ThreadAppFlg, QStringLiteral("AppList"));
    if (!AppListArr.appid.isEmpty())
        BuildAppTree();
    AniIndicator1->hide();
    AniIndicator1->setToolTip(QStringLiteral("等待"));
    isDown = false;
    isNowUser = false;
    isClose = false;
    isFirst = false;
    UserId = -1;
    TestAppId = -1;
    TestNum.clear();
    if (QSysInfo::prettyProductName().contains(QLatin1String(" XP")))
        lbl_OnlineCount->move(lbl_OnlineCount->x() - 10, lbl_OnlineCount->y() + 10);
    setNavBackground(QStringLiteral("home"), true);
    OldNavName = QStringLiteral("home");
    RecordsDataArr.clear();
    TestClassMax = 0;
    Layout_homeClick(navIcon(QStringLiteral("grzx")));
    Label_title->setText(AppConfig::ProductName);
    ShowStatusLine(QStringLiteral("0"));
    Label1->setText(QStringLiteral("软件版本：") + AppConfig::AppVersion);
    Label2->setText(QStringLiteral("全国免费热线：") + AppConfig::HotlineNumber);
    Label6->setText(QStringLiteral("客服QQ：") + AppConfig::SupportQQ);
    Label7->setText(AppConfig::MakerName + AppConfig::AboutRightsPhrase);
    try {
        SaveExePath(appInfoFile(), QCoreApplication::applicationFilePath());
    } catch (const IniWriteError &) {
        // A folder without write permission: the start goes on.
    }
    lyt_mnkc->hide();
    isFirst = true;
}

void TForm_windows_main::ShowStatusLine(const QString &testNum)
{
    lbl_info->setText(MakeStatusLine(testNum));
    layoutFrame();
}

void TForm_windows_main::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm_windows_main::FormResize()
{
    ColorBox1->resize(ColorBox1->width(), width() > 1050 ? 120 : 130);
    layoutFrame();
}

void TForm_windows_main::closeEvent(QCloseEvent *event)
{
    // FormCloseQuery: every waiting loop stops at its next turn.
    isClose = true;
    Q_EMIT closeRequested();
    event->accept();
    // FormClose: the splash window is the application's main form.
    if (m_splash)
        m_splash->close();
    Q_EMIT formClosed();
}

void TForm_windows_main::HideMoreMenu()
{
    ColorBox5->hide();
}

void TForm_windows_main::Image_CloseClick()
{
    HideMoreMenu();
    close();
}

void TForm_windows_main::Image_MaxClick()
{
    Timer1->stop();
    HideMoreMenu();
    if (isMinimized())
        return;
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void TForm_windows_main::Image_MinClick()
{
    HideMoreMenu();
    showMinimized();
}

void TForm_windows_main::Image_MoreClick()
{
    ColorBox5->show();
    ColorBox5->raise();
}

void TForm_windows_main::Image_Nav_BgMouseDown(QPointF localPos)
{
    yX = static_cast<float>(localPos.x());
    yY = static_cast<float>(localPos.y());
    HideMoreMenu();
    Timer1->start();
}

void TForm_windows_main::Image_Nav_BgMouseUp()
{
    Timer1->stop();
}

void TForm_windows_main::Timer1Timer()
{
    const QPoint pointer = QCursor::pos();
    move(roundHalfEven(pointer.x() - double(yX)), roundHalfEven(pointer.y() - double(yY)));
}

void TForm_windows_main::Image_CloseMouseDown(TImage *sender)
{
    if (!isDown) {
        sender->move(sender->x(), sender->y() + 1);
        isDown = true;
    }
    Timer1->stop();
}

void TForm_windows_main::Image_MoreMouseUp(TImage *sender)
{
    if (isDown) {
        sender->move(sender->x(), sender->y() - 1);
        isDown = false;
    }
    Timer1->stop();
}

void TForm_windows_main::Image_CloseMouseLeave(TImage *sender)
{
    if (isDown) {
        sender->move(sender->x(), sender->y() - 1);
        isDown = false;
    }
}

void TForm_windows_main::setMenuItemSelected(QLabel *item, bool selected)
{
    item->setProperty("selected", selected);
    item->setStyleSheet(selected ? QStringLiteral("color: #1E90FF; background: white;")
                                 : QStringLiteral("color: white; background: transparent;"));
}

void TForm_windows_main::ListBoxItem1MouseMove(QLabel *sender)
{
    if (!sender->property("selected").toBool())
        setMenuItemSelected(sender, true);
}

void TForm_windows_main::ListBoxItem1MouseLeave(QLabel *sender)
{
    setMenuItemSelected(sender, false);
}

void TForm_windows_main::ListBoxItem1Click()
{
    HideMoreMenu();
    setMenuItemSelected(ListBoxItem1, false);
    MenuItem3Click();
}

void TForm_windows_main::ListBoxItem2Click()
{
    HideMoreMenu();
    setMenuItemSelected(ListBoxItem2, false);
    QDesktopServices::openUrl(QUrl(kShopUrl));
}

void TForm_windows_main::ListBoxItem3Click()
{
    HideMoreMenu();
    setMenuItemSelected(ListBoxItem3, false);
    TreeView_pop->setVisible(!TreeView_pop->isVisible());
    TreeView_pop->raise();
    tbc_pop->setCurrentWidget(tbc_pop->findChild<QWidget *>(QStringLiteral("tbtm_gyrj")));
    lbl_pop_title->setText(QStringLiteral("关于软件"));
}

void TForm_windows_main::Button_close_popClick()
{
    TreeView_pop->hide();
}

void TForm_windows_main::Timer_Hide_Form_pc_startTimer()
{
    Timer_Hide_Form_pc_start->stop();
    if (m_splash)
        m_splash->hide();
}

bool TForm_windows_main::eventFilter(QObject *watched, QEvent *event)
{
    auto *item = qobject_cast<QLabel *>(watched);
    const bool isMenuItem = item && item->parentWidget() == ListBox_menu;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
        if (isMenuItem)
            ListBoxItem1MouseMove(item);
        break;
    case QEvent::Leave:
        if (isMenuItem)
            ListBoxItem1MouseLeave(item);
        break;
    case QEvent::MouseButtonRelease:
        if (isMenuItem && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            if (item == ListBoxItem1)
                ListBoxItem1Click();
            else if (item == ListBoxItem2)
                ListBoxItem2Click();
            else
                ListBoxItem3Click();
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        // Clicks on the status bar, the page area or the navigation strip
        // close the more-menu.
        if (!isMenuItem)
            HideMoreMenu();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
