#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <QPushButton>
#include <QWidget>

void InstallFontSubstitutions()
{
    const QStringList candidates = {QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("Noto Sans SC"),
                                    QStringLiteral("WenQuanYi Micro Hei"),
                                    QStringLiteral("Droid Sans Fallback")};
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : candidates) {
        if (!installed.contains(family))
            continue;
        for (const QString &designed : {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei"),
                                        QStringLiteral("黑体"), QStringLiteral("SimHei")})
            QFont::insertSubstitution(designed, family);
        QFont::insertSubstitution(QStringLiteral("Sans Serif"), family);
        return;
    }
}

QFont DesignFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void SetBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void StyleActionButton(QPushButton *button)
{
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: #328BE5; color: white; border: none; border-radius: 4px;"
        " font-size: 15px; } QPushButton:hover { background: #4A9BEB; }"
        " QPushButton:pressed { background: #2A77C4; }"));
}

void StyleSecondaryButton(QPushButton *button)
{
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background: white; color: #328BE5; border: 1px solid #328BE5;"
        " border-radius: 4px; font-size: 15px; } QPushButton:hover { background: #EEF5FD; }"));
}
