// Construction of the main window's controls: frame, title bar, pages,
// status line, more-menu and popup overlay.

#include "appconfig.h"
#include "fonts.h"
#include "tanindicator.h"
#include "tform_windows_main.h"
#include "tchromium.h"
#include "timage.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

namespace {

constexpr int kDesignWidth = 1280;
constexpr int kDesignHeight = 720;
constexpr int kTitleHeight = 35;
constexpr int kStatusHeight = 22;
constexpr int kNavTop = 29;
constexpr int kNavHeight = 100;
constexpr int kMenuWidth = 129;
constexpr int kMenuHeight = 70;
// The more-menu stands at x 1032 of the 1278-pixel strip, anchored to its
// right edge.
constexpr int kMenuRightGap = (kDesignWidth - 2) - 1032 - kMenuWidth;
constexpr int kPopBoxWidth = 481;
constexpr int kPopBoxHeight = 369;
constexpr int kPopTitleHeight = 49;

QWidget *makeBox(QWidget *parent, const QString &name, const QString &colour)
{
    auto *box = new QWidget(parent);
    box->setObjectName(name);
    box->setAttribute(Qt::WA_StyledBackground);
    box->setStyleSheet(QStringLiteral("#%1 { background: %2; }").arg(name, colour));
    return box;
}

TImage *makeImage(QWidget *parent, const QString &name, const QString &picture = QString())
{
    auto *image = new TImage(parent);
    image->setObjectName(name);
    if (!picture.isEmpty())
        image->setPicture(picture);
    return image;
}

QWidget *makePage(QStackedWidget *pages, const QString &name)
{
    auto *page = new QWidget(pages);
    page->setObjectName(name);
    pages->addWidget(page);
    return page;
}

QLabel *makeAboutLabel(QWidget *parent, const QString &name, int y)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("微软雅黑"));
    font.setPixelSize(16);
    label->setFont(font);
    label->setWordWrap(false);
    label->setGeometry(36, y, 409, 24);
    label->setStyleSheet(QStringLiteral("color: #333333;"));
    return label;
}

} // namespace

void TForm_windows_main::buildFrame()
{
    setObjectName(QStringLiteral("Form_windows_main"));
    setWindowTitle(AppConfig::ProductName);
    setWindowFlag(Qt::FramelessWindowHint);
    // A palette, not a style sheet: a sheet on the window would make every
    // control of every page go through the style-sheet style.
    SetBackground(this, QColor(0x46, 0x82, 0xB4));
    setMinimumSize(800, 500);

    Image_bg = makeImage(this, QStringLiteral("Image_bg"), QStringLiteral(":/images/window_bg.svg"));

    ColorBox1 = makeBox(Image_bg, QStringLiteral("ColorBox1"), QStringLiteral("#328BE5"));
    Image_Nav_Bg = makeImage(ColorBox1, QStringLiteral("Image_Nav_Bg"),
                             QStringLiteral(":/images/nav_band.svg"));
    ColorBox2 = makeBox(ColorBox1, QStringLiteral("ColorBox2"), QStringLiteral("#346AA2"));
    ColorBox3 = makeBox(ColorBox1, QStringLiteral("ColorBox3"), QStringLiteral("#FFFFFF"));

    buildTitleBar();

    HorzScrollBox_nav = new QScrollArea(Image_Nav_Bg);
    HorzScrollBox_nav->setObjectName(QStringLiteral("HorzScrollBox_nav"));
    HorzScrollBox_nav->setFrameShape(QFrame::NoFrame);
    HorzScrollBox_nav->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    HorzScrollBox_nav->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    HorzScrollBox_nav->setStyleSheet(
        QStringLiteral("QScrollArea, QScrollArea > QWidget > QWidget { background: transparent; }"));
    auto *navContent = new QWidget;
    navContent->setObjectName(QStringLiteral("HorzScrollBox_nav_content"));
    navContent->setMinimumSize(945, 90);
    HorzScrollBox_nav->setWidget(navContent);
    HorzScrollBox_nav->installEventFilter(this);
    navContent->installEventFilter(this);

    buildNavigation();
    buildMoreMenu();

    Image2 = makeImage(Image_bg, QStringLiteral("Image2"), QStringLiteral(":/images/page_bg.svg"));
    tbc_Client = new QStackedWidget(Image_bg);
    tbc_Client->setObjectName(QStringLiteral("tbc_Client"));
    tbc_Client->installEventFilter(this);
    buildPages();
    buildEmptyLabels();
    buildBrowsers();
    buildChapterPage();
    buildMockExamPage();
    buildCardPages();
    buildSearchBar();

    StatusBar1 = new QStatusBar(Image_bg);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    StatusBar1->setStyleSheet(
        QStringLiteral("#StatusBar1 { background: #EEF3F8; border-top: 1px solid #C9D6E3; }"));
    lbl_info = new QLabel(StatusBar1);
    lbl_info->setObjectName(QStringLiteral("lbl_info"));
    lbl_info->setWordWrap(false);
    lbl_info->setAlignment(Qt::AlignCenter);
    lbl_info->setStyleSheet(QStringLiteral("color: grey;"));
    StatusBar1->installEventFilter(this);
    lbl_info->installEventFilter(this);

    AniIndicator1 = new TAniIndicator(this);
    AniIndicator1->setObjectName(QStringLiteral("AniIndicator1"));
    AniIndicator1->resize(96, 96);
    AniIndicator1->hide();

    buildPopup();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &TForm_windows_main::Timer1Timer);
    Timer_Hide_Form_pc_start = new QTimer(this);
    Timer_Hide_Form_pc_start->setObjectName(QStringLiteral("Timer_Hide_Form_pc_start"));
    Timer_Hide_Form_pc_start->setInterval(1);
    connect(Timer_Hide_Form_pc_start, &QTimer::timeout, this,
            &TForm_windows_main::Timer_Hide_Form_pc_startTimer);
    tmrUpDate = new QTimer(this);
    tmrUpDate->setObjectName(QStringLiteral("tmrUpDate"));
    tmrUpDate->setInterval(10000);
    tmrUpDate->setSingleShot(true);
    connect(tmrUpDate, &QTimer::timeout, this, &TForm_windows_main::tmrUpDateTimer);
    tmrUpDate->start(); // counts from the window's creation

    setGeometry(0, -1000, kDesignWidth, kDesignHeight);
}

void TForm_windows_main::buildTitleBar()
{
    Layout_Top = new QWidget(Image_Nav_Bg);
    Layout_Top->setObjectName(QStringLiteral("Layout_Top"));
    Label_title = new QLabel(Layout_Top);
    Label_title->setObjectName(QStringLiteral("Label_title"));
    QFont titleFont(QStringLiteral("微软雅黑"));
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    Label_title->setFont(titleFont);
    Label_title->setStyleSheet(QStringLiteral("color: white;"));
    Label_title->setContentsMargins(10, 0, 0, 0);
    Label_title->setText(AppConfig::ProductName);

    Layout2 = new QWidget(Layout_Top);
    Layout2->setObjectName(QStringLiteral("Layout2"));
    struct Button
    {
        TImage **image;
        const char *name;
        const char *picture;
        int x;
        int width;
    };
    const Button buttons[] = {
        {&Image_More, "Image_More", ":/images/title_more.svg", 194, 37},
        {&Image_Min, "Image_Min", ":/images/title_min.svg", 230, 31},
        {&Image_Max, "Image_Max", ":/images/title_max.svg", 260, 31},
        {&Image_Close, "Image_Close", ":/images/title_close.svg", 290, 39},
    };
    for (const Button &b : buttons) {
        TImage *image = makeImage(Layout2, QLatin1String(b.name), QLatin1String(b.picture));
        image->setGeometry(b.x, 0, b.width, 27);
        image->setCursor(Qt::PointingHandCursor);
        *b.image = image;
        connect(image, &TImage::mouseDown, this, [this, image] { Image_CloseMouseDown(image); });
        connect(image, &TImage::mouseUp, this, [this, image] { Image_MoreMouseUp(image); });
        connect(image, &TImage::mouseLeft, this, [this, image] { Image_CloseMouseLeave(image); });
    }
    Image_More->setToolTip(QStringLiteral("更多"));
    Image_Min->setToolTip(QStringLiteral("最小化"));
    Image_Max->setToolTip(QStringLiteral("最大化"));
    Image_Close->setToolTip(QStringLiteral("关闭"));
    connect(Image_Close, &TImage::clicked, this, &TForm_windows_main::Image_CloseClick);
    connect(Image_Max, &TImage::clicked, this, &TForm_windows_main::Image_MaxClick);
    connect(Image_Min, &TImage::clicked, this, &TForm_windows_main::Image_MinClick);
    connect(Image_More, &TImage::clicked, this, &TForm_windows_main::Image_MoreClick);

    connect(Image_Nav_Bg, &TImage::mouseDown, this, &TForm_windows_main::Image_Nav_BgMouseDown);
    connect(Image_Nav_Bg, &TImage::mouseUp, this, &TForm_windows_main::Image_Nav_BgMouseUp);
    connect(Image_Nav_Bg, &TImage::doubleClicked, this, &TForm_windows_main::Image_MaxClick);
}

void TForm_windows_main::buildMoreMenu()
{
    ColorBox5 = makeBox(HorzScrollBox_nav, QStringLiteral("ColorBox5"), QStringLiteral("#1E90FF"));
    ColorBox5->resize(kMenuWidth, kMenuHeight);
    ColorBox5->hide();
    ListBox_menu = new QWidget(ColorBox5);
    ListBox_menu->setObjectName(QStringLiteral("ListBox_menu"));
    ListBox_menu->setGeometry(0, 2, kMenuWidth, 66);
    const QString texts[] = {QStringLiteral("切换科目"), QStringLiteral("淘宝商城"),
                             QStringLiteral("关于软件")};
    QLabel **items[] = {&ListBoxItem1, &ListBoxItem2, &ListBoxItem3};
    for (int i = 0; i < 3; ++i) {
        auto *item = new QLabel(texts[i], ListBox_menu);
        item->setObjectName(QStringLiteral("ListBoxItem%1").arg(i + 1));
        item->setAlignment(Qt::AlignCenter);
        item->setGeometry(0, i * 22, kMenuWidth, 22);
        item->setMouseTracking(true);
        item->setCursor(Qt::PointingHandCursor);
        item->installEventFilter(this);
        *items[i] = item;
        setMenuItemSelected(item, false);
    }
}

void TForm_windows_main::buildPages()
{
    const char *names[] = {"tbtm_home", "tbtm_kszn", "tbtm_zjlx", "tbtm_mnkc",
                           "tbtm_sjlx", "tbtm_wdbj", "tbtm_wdsc", "tbtm_ctcz",
                           "tbtm_stcz", "tbtm_tjfx", "tbtm_web",  "tbtm_grzx",
                           "TabItem_res"};
    for (const char *name : names)
        makePage(tbc_Client, QLatin1String(name));
    QWidget *res = tbc_Client->findChild<QWidget *>(QStringLiteral("TabItem_res"));
    img_navimage_bg = makeImage(res, QStringLiteral("img_navimage_bg"),
                                QStringLiteral(":/images/nav_highlight.svg"));
    img_navimage_bg->setGeometry(0, 0, 80, 88);
    img_navimage_kongbg = makeImage(res, QStringLiteral("img_navimage_kongbg"));
    img_navimage_kongbg->setGeometry(90, 0, 80, 88);
    tbc_Client->setCurrentIndex(0);
}

void TForm_windows_main::buildPopup()
{
    TreeView_pop = new QWidget(this);
    TreeView_pop->setObjectName(QStringLiteral("TreeView_pop"));
    TreeView_pop->setAttribute(Qt::WA_StyledBackground);
    TreeView_pop->setStyleSheet(
        QStringLiteral("#TreeView_pop { background: rgba(20, 40, 70, 110); }"));
    TreeView_pop->hide();

    popBox = makeBox(TreeView_pop, QStringLiteral("popBox"), QStringLiteral("white"));
    popBox->resize(kPopBoxWidth, kPopBoxHeight);
    auto *titleBar = makeBox(popBox, QStringLiteral("popTitleBar"), QStringLiteral("#F3F7FB"));
    titleBar->setGeometry(0, 0, kPopBoxWidth, kPopTitleHeight);

    lbl_pop_title = new QLabel(popBox);
    lbl_pop_title->setObjectName(QStringLiteral("lbl_pop_title"));
    lbl_pop_title->setStyleSheet(QStringLiteral("color: dimgrey; font-size: 15px;"));
    lbl_pop_title->setGeometry(24, 16, 300, 20);

    Button_close_pop = new QPushButton(QStringLiteral("X"), popBox);
    Button_close_pop->setObjectName(QStringLiteral("Button_close_pop"));
    Button_close_pop->setGeometry(416, 11, 40, 22);
    Button_close_pop->setCursor(Qt::PointingHandCursor);
    Button_close_pop->setStyleSheet(QStringLiteral(
        "#Button_close_pop { border: none; background: transparent; color: #8A96A3;"
        " font-size: 15px; } #Button_close_pop:hover { color: #E0463A; }"));
    connect(Button_close_pop, &QPushButton::clicked, this,
            &TForm_windows_main::Button_close_popClick);

    tbc_pop = new QStackedWidget(popBox);
    tbc_pop->setObjectName(QStringLiteral("tbc_pop"));
    tbc_pop->setGeometry(0, kPopTitleHeight, kPopBoxWidth, kPopBoxHeight - kPopTitleHeight);

    QWidget *appList = makePage(tbc_pop, QStringLiteral("tbtm_appList"));
    TreeView_app = new QTreeWidget(appList);
    TreeView_app->setObjectName(QStringLiteral("TreeView_app"));
    TreeView_app->setHeaderHidden(true);
    TreeView_app->setGeometry(0, 0, kPopBoxWidth, kPopBoxHeight - kPopTitleHeight);
    TreeView_app->setExpandsOnDoubleClick(false);
    TreeView_app->setStyleSheet(QStringLiteral("QTreeWidget { border: none; font-size: 15px; }"));
    // Categories fold and unfold; subjects are chosen.
    connect(TreeView_app, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (item->data(0, Qt::UserRole + 1).toBool())
            SelectApp(item);
        else
            ToggleTreeItem(item);
    });

    QWidget *busy = makePage(tbc_pop, QStringLiteral("tbtm_AniIndicator"));
    auto *popIndicator = new TAniIndicator(busy);
    popIndicator->setObjectName(QStringLiteral("AniIndicator2"));
    popIndicator->setGeometry(176, 108, 129, 105);

    buildAboutPage(makePage(tbc_pop, QStringLiteral("tbtm_gyrj")));
    makePage(tbc_pop, QStringLiteral("tbtm_UpdateNote"));
    makePage(tbc_pop, QStringLiteral("tbtm_pop_Web"));
    buildNoteEditor();
}

void TForm_windows_main::buildAboutPage(QWidget *page)
{
    imgLogo = makeImage(page, QStringLiteral("imgLogo"), QStringLiteral(":/images/logo.svg"));
    imgLogo->setGeometry(190, 13, 100, 100);
    Label1 = makeAboutLabel(page, QStringLiteral("Label1"), 128);
    Label2 = makeAboutLabel(page, QStringLiteral("Label2"), 160);
    Label6 = makeAboutLabel(page, QStringLiteral("Label6"), 192);
    Label7 = makeAboutLabel(page, QStringLiteral("Label7"), 225);
    Label8 = makeAboutLabel(page, QStringLiteral("Label8"), 256);
    Label8->setText(AppConfig::AboutRightsLine);
}

void TForm_windows_main::layoutFrame()
{
    const int w = width();
    const int h = height();
    Image_bg->setGeometry(1, 1, w - 2, h - 2);
    const int innerW = Image_bg->width();
    const int innerH = Image_bg->height();
    const int band = ColorBox1->height();
    ColorBox1->setGeometry(0, 0, innerW, band);
    Image_Nav_Bg->setGeometry(0, 0, innerW, band - 2);
    ColorBox2->setGeometry(0, band - 2, innerW, 1);
    ColorBox3->setGeometry(0, band - 1, innerW, 1);
    Layout_Top->setGeometry(0, 0, innerW, kTitleHeight);
    Label_title->setGeometry(0, 0, innerW - 328, kTitleHeight);
    Layout2->setGeometry(innerW - 328, 0, 328, kTitleHeight);
    HorzScrollBox_nav->setGeometry(0, kNavTop, innerW, kNavHeight);
    ColorBox5->move(innerW - kMenuRightGap - kMenuWidth, 0);
    ColorBox5->raise();

    const int pageTop = band;
    const int pageHeight = innerH - band - kStatusHeight;
    Image2->setGeometry(0, pageTop, innerW, pageHeight);
    tbc_Client->setGeometry(0, pageTop, innerW, pageHeight);
    StatusBar1->setGeometry(0, innerH - kStatusHeight, innerW, kStatusHeight);
    lbl_info->adjustSize();
    lbl_info->move((innerW - lbl_info->width()) / 2, (kStatusHeight - lbl_info->height()) / 2);

    layoutPages();
    TreeView_pop->setGeometry(0, 0, w, h);
    popBox->move((w - kPopBoxWidth) / 2, (h - kPopBoxHeight) / 2);
    TreeView_pop->raise();
    // Above the popup too: a note save shows it over the editor.
    AniIndicator1->move((w - AniIndicator1->width()) / 2, (h - AniIndicator1->height()) / 2);
    AniIndicator1->raise();
}

void TForm_windows_main::layoutPages()
{
    if (!lbl_zjlx_zwnr)
        return;
    const int w = tbc_Client->width();
    const int h = tbc_Client->height();
    for (QLabel *empty : {lbl_zjlx_zwnr, lbl_kszn_zwnr, lbl_mnkc_zwnr, lbl_wdbj_zwnr, lbl_wdsc_zwnr,
                          lbl_ctcz_zwnr, lbl_stcz_zwnr}) {
        empty->setGeometry(0, 0, w, h);
        empty->raise();
    }
    tv_zjlx->setGeometry(0, 0, 256, h);
    if (tbc_zjlx)
        tbc_zjlx->setGeometry(256, 0, w - 256, h);
    tv_kszn->setGeometry(0, 0, 256, h);
    if (chrmfmx_Help)
        chrmfmx_Help->setGeometry(256, 0, w - 256, h);
    layoutMockExam();
    if (m_cardLayout) {
        layoutCardPages();
        layoutSearchBar();
    }
    // Home: banner on top, the lower picture below it, the button at its right.
    Layout1->setGeometry(0, 0, w, 137);
    Image1->setGeometry((w - 561) / 2, 0, 561, 137);
    Layout3->setGeometry(0, 137, w, h - 137);
    Image3->setGeometry((w - 727) / 2, qMax(0, (Layout3->height() - 284) / 2), 727, 284);
    Layout9->setGeometry(727 - 207, 0, 207, 284);
    Image_kscy->move((207 - 191) / 2, (284 - 73) / 2);
}
