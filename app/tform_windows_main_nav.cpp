// Page navigation: the entries of the navigation strip, the navigation
// handler with its gates, the page switcher, hover and press effects.

#include "tanindicator.h"
#include "tchromium.h"
#include "tform_windows_main.h"
#include "timage.h"
#include "weburls.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>

namespace {

struct NavEntry
{
    const char *name;
    const char *label;
    int x;
};

const NavEntry kNavEntries[] = {
    {"home", "首页", 5},       {"zjlx", "章节练习", 90},  {"mnkc", "模拟考场", 175},
    {"sjlx", "随机练习", 260}, {"kszn", "考试指南", 345}, {"wdbj", "我的笔记", 430},
    {"wdsc", "我的收藏", 515}, {"ctcz", "错题重做", 600}, {"tjfx", "统计分析", 685},
    {"stcz", "试题查找", 770}, {"grzx", "个人中心", 855},
};

bool isNavName(const QString &name)
{
    for (const NavEntry &e : kNavEntries)
        if (name == QLatin1String(e.name))
            return true;
    return false;
}

QString hintOf(QObject *sender)
{
    return sender ? sender->property("hint").toString() : QString();
}

// Clicks on the container and the label of an entry.
class ClickFilter : public QObject
{
public:
    ClickFilter(TForm_windows_main *window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
                m_window->Layout_homeClick(watched);
            return true;
        }
        return false;
    }

private:
    TForm_windows_main *m_window;
};

} // namespace

void TForm_windows_main::buildNavigation()
{
    QWidget *strip = HorzScrollBox_nav->widget();
    auto *clicks = new ClickFilter(this);
    for (const NavEntry &e : kNavEntries) {
        const QString name = QLatin1String(e.name);
        auto *layout = new QWidget(strip);
        layout->setObjectName(QStringLiteral("Layout_") + name);
        layout->setGeometry(e.x, 1, 86, 88);
        layout->setCursor(Qt::PointingHandCursor);
        auto *bg = new TImage(layout);
        bg->setObjectName(QStringLiteral("Image_") + name + QStringLiteral("_bg"));
        bg->setGeometry(0, 0, 86, 88);
        auto *icon = new TImage(layout);
        icon->setObjectName(QStringLiteral("Image_") + name);
        icon->setGeometry(0, 0, 86, 62);
        icon->setPictureSize(QSize(64, 64));
        icon->setPicture(QStringLiteral(":/images/nav_") + name + QStringLiteral(".svg"));
        auto *label = new QLabel(QString::fromUtf8(e.label), layout);
        label->setObjectName(QStringLiteral("Label_") + name);
        label->setGeometry(0, 88 - 21 - 5, 86, 21);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(false);
        label->setStyleSheet(QStringLiteral("color: white; font-size: 14px;"));
        for (QObject *part : {static_cast<QObject *>(layout), static_cast<QObject *>(bg),
                              static_cast<QObject *>(icon), static_cast<QObject *>(label)})
            part->setProperty("hint", name);
        layout->installEventFilter(clicks);
        label->installEventFilter(clicks);
        connect(bg, &TImage::clicked, this, [this, bg] { Layout_homeClick(bg); });
        connect(icon, &TImage::clicked, this, [this, icon] { Layout_homeClick(icon); });
        for (TImage *hover : {bg, icon}) {
            connect(hover, &TImage::mouseEntered, this, [this, hover] { Image_homeMouseEnter(hover); });
            connect(hover, &TImage::mouseLeft, this, [this, hover] { Image_homeMouseLeave(hover); });
        }
        connect(icon, &TImage::mouseDown, this, [this, icon] { Image_CloseMouseDown(icon); });
        connect(icon, &TImage::mouseUp, this, [this, icon] { Image_MoreMouseUp(icon); });
    }
}

TImage *TForm_windows_main::navIcon(const QString &name) const
{
    // Looked up in the strip only: the pages below may hold thousands of widgets.
    return HorzScrollBox_nav->widget()->findChild<TImage *>(QStringLiteral("Image_") + name);
}

void TForm_windows_main::setNavBackground(const QString &name, bool highlighted)
{
    if (auto *bg = HorzScrollBox_nav->widget()->findChild<TImage *>(QStringLiteral("Image_") + name +
                                                                    QStringLiteral("_bg")))
        bg->setPicture(highlighted ? img_navimage_bg->picture() : img_navimage_kongbg->picture());
}

void TForm_windows_main::Layout_homeClick(QObject *sender)
{
    const QString name = hintOf(sender);
    HideMoreMenu();
    if (AniIndicator1->isVisible() && AniIndicator1->toolTip() == QStringLiteral("等待"))
        return; // busy
    if (UserId == -1 && name != QLatin1String("grzx")) {
        ShowSignInTip();
        return;
    }
    if (TestAppId == -1 && isNavName(name)) {
        MenuItem3Click();
        if (isFirst)
            return;
    }
    if (!OldNavName.isEmpty() && OldNavName != name) {
        setNavBackground(name, true);
        setNavBackground(OldNavName, false);
        OldNavName = name;
    }
    AniIndicator1->show();
    AniIndicator1->raise();
    SwitchPage(name);
    static const QStringList dataPages = {QStringLiteral("home"), QStringLiteral("zjlx"),
                                          QStringLiteral("mnkc"), QStringLiteral("kszn"),
                                          QStringLiteral("wdbj"), QStringLiteral("wdsc"),
                                          QStringLiteral("ctcz"), QStringLiteral("stcz")};
    if (dataPages.contains(name))
        AniIndicator1->hide();
}

QWidget *TForm_windows_main::pageNamed(const QString &name) const
{
    return tbc_Client->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

void TForm_windows_main::selectPage(const char *name)
{
    tbc_Client->setCurrentWidget(pageNamed(QLatin1String(name)));
}

void TForm_windows_main::SwitchPage(const QString &name)
{
    if (name == QLatin1String("home")) {
        selectPage("tbtm_home");
        ThreadHomeFlg = false;
        AniIndicator1->hide();
        GetInterfaceData(ThreadHomeFlg, QStringLiteral("home"));
    } else if (name == QLatin1String("kszn")) {
        selectPage("tbtm_kszn");
        ThreadHelpFlg = false;
        lbl_kszn_zwnr->hide();
        if (tv_kszn->topLevelItemCount() == 0) {
            GetInterfaceData(ThreadHelpFlg, QStringLiteral("kszn"));
            ShowTestHelpTree();
        }
    } else if (name == QLatin1String("zjlx")) {
        selectPage("tbtm_zjlx");
        ThreadClassFlg = false;
        lbl_zjlx_zwnr->hide();
        if (tv_zjlx->topLevelItemCount() > 0) {
            AniIndicator1->hide();
            RefreshChapterRows(PresentTestClassId);
        } else {
            GetInterfaceData(ThreadClassFlg, QStringLiteral("zjlx"));
            BuildChapterTree(UserTestsClassCountArr);
        }
    } else if (name == QLatin1String("mnkc")) {
        selectPage("tbtm_mnkc");
        ThreadPracticeFlg = false;
        lbl_mnkc_zwnr->hide();
        if (lyt_mnkc->isHidden()) {
            GetInterfaceData(ThreadPracticeFlg, QStringLiteral("mnkc"));
            BuildMockExamSetup();
        }
    } else if (name == QLatin1String("sjlx")) {
        selectPage("tbtm_web");
        ShowLoadingPage(chrmfmx_Test);
        chrmfmx_Test->loadAddress(MakePracticeUrl(QString::number(TestAppId), QStringLiteral("-1"),
                                                  QStringLiteral("rand"), QStringLiteral("-1"),
                                                  QStringLiteral("0"), QStringLiteral("-1"),
                                                  QStringLiteral("all")));
        PresentTestClassId = OldPresentTestClassId;
    } else if (name == QLatin1String("wdbj") || name == QLatin1String("wdsc") ||
               name == QLatin1String("ctcz")) {
        const QString page = QStringLiteral("tbtm_") + name;
        QLabel *empty = name == QLatin1String("wdbj")   ? lbl_wdbj_zwnr
                        : name == QLatin1String("wdsc") ? lbl_wdsc_zwnr
                                                        : lbl_ctcz_zwnr;
        empty->hide();
        // Hidden before the page shows: a page that comes up with its old
        // cards would show (and then hide) every one of them in one go.
        const CardList cards = name == QLatin1String("wdbj")   ? CardList::Notes
                               : name == QLatin1String("wdsc") ? CardList::Favourites
                                                               : CardList::Errors;
        hideCardArea(cards);
        cardBar(cards)->hide();
        tbc_Client->setCurrentWidget(pageNamed(page));
        bool &flag = name == QLatin1String("wdbj")   ? ThreadNoteFlg
                     : name == QLatin1String("wdsc") ? ThreadFavFlg
                                                     : ThreadErrorFlg;
        TUserInfoArr &list = name == QLatin1String("wdbj")   ? UserNoteArr
                             : name == QLatin1String("wdsc") ? UserFavArr
                                                             : UserErrorArr;
        flag = false;
        list = TUserInfoArr();
        GetInterfaceData(flag, name);
        if (name == QLatin1String("wdbj"))
            ShowUserNoteList();
        else if (name == QLatin1String("wdsc"))
            ShowUserFavList();
        else
            ShowUserErrorList();
    } else if (name == QLatin1String("tjfx") || name == QLatin1String("grzx")) {
        const bool statistics = name == QLatin1String("tjfx");
        const char *page = statistics ? "tbtm_tjfx" : "tbtm_grzx";
        TChromium *browser = statistics ? chrmfmx_tjfx : chrmfmx_grzx;
        const QString target = statistics ? StatisticsUrl(TestAppId) : PersonalCentreUrl();
        if (tbc_Client->currentWidget()->objectName() == QLatin1String(page) &&
            browser->mainFrameUrl().toString() == target) {
            AniIndicator1->hide();
            return;
        }
        selectPage(page);
        ShowLoadingPage(browser);
        browser->loadAddress(target);
    } else if (name == QLatin1String("stcz")) {
        selectPage("tbtm_stcz");
    }
}

void TForm_windows_main::Image_homeMouseEnter(QObject *sender)
{
    setNavBackground(hintOf(sender), true);
}

void TForm_windows_main::Image_homeMouseLeave(QObject *sender)
{
    if (auto *image = qobject_cast<TImage *>(sender); image && isDown &&
                                                      image->objectName() == QStringLiteral("Image_") + hintOf(sender)) {
        image->move(image->x(), image->y() - 1);
        isDown = false;
    }
    const QString name = hintOf(sender);
    if (!OldNavName.isEmpty() && OldNavName != name)
        setNavBackground(name, false);
}

void TForm_windows_main::Image_kscyClick()
{
    Layout_homeClick(navIcon(QStringLiteral("sjlx")));
}
