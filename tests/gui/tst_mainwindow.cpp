// The real splash and main window on the offscreen platform.

#include "appconfig.h"
#include "tform_pc_start.h"
#include "tform_windows_main.h"
#include "timage.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startPlacesWindowAndHidesSplash();
    void namedControlsExist();
    void statusLineAndAbout();
    void bandFollowsWidth_data();
    void bandFollowsWidth();
    void moreMenuOpensAndCloses();
    void maximiseRestoreMinimise();
    void pressEffectMovesOnePicture();
    void dragAreaMovesWindow();
    void navigationHoverAndPress();
    void closingEndsProgram();

private:
    template <class T = QWidget> T *control(const char *name)
    {
        auto *found = m_main->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }
    void clickMenuItem(const char *name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TForm_pc_start> m_splash;
    std::unique_ptr<TForm_windows_main> m_main;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // Leftovers of an earlier update in both folders.
    QDir root(m_dir->path());
    for (const char *sub : {"appdata/Quillmoor_update/inner", "client/Quillmoor_update"})
        QVERIFY(root.mkpath(QLatin1String(sub)));
    QFile updater(root.filePath(QStringLiteral("appdata/Quillmoor_update.exe")));
    QVERIFY(updater.open(QIODevice::WriteOnly));
    updater.close();

    m_splash = std::make_unique<TForm_pc_start>();
    m_main = std::make_unique<TForm_windows_main>();
    m_main->setSettingsFolder(root.filePath(QStringLiteral("client")));
    m_main->setSplash(m_splash.get());
    m_splash->setMainWindow(m_main.get());
    m_splash->setLeftoverFolders(root.filePath(QStringLiteral("appdata")),
                                 root.filePath(QStringLiteral("client")));
    m_splash->show();
    QTRY_VERIFY(m_main->isVisible() && !m_splash->isVisible());
}

void TestMainWindow::cleanup()
{
    m_main.reset();
    m_splash.reset();
    m_dir.reset();
}

void TestMainWindow::startPlacesWindowAndHidesSplash()
{
    QCOMPARE(m_splash->size(), QSize(620, 440));
    QCOMPARE(m_splash->windowTitle(), AppConfig::ProductName);
    QVERIFY(m_splash->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(m_main->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_main->windowTitle(), AppConfig::ProductName);
    QVERIFY(m_main->startFinished());
    // No service runs here: the window still opens on the personal centre.
    QCOMPARE(m_main->findChild<QStackedWidget *>(QStringLiteral("tbc_Client"))->currentWidget()->objectName(),
             QStringLiteral("tbtm_grzx"));
    QCOMPARE(m_main->oldNavName(), QStringLiteral("grzx"));

    // No taskbar on the offscreen screen: the window is centred, on screen.
    const QRect screen = m_main->screen()->geometry();
    QCOMPARE(m_main->size(), QSize(1280, 720));
    QCOMPARE(m_main->pos(), QPoint(screen.x() + (screen.width() - 1280) / 2,
                                   screen.y() + (screen.height() - 720) / 2));

    const QDir root(m_dir->path());
    QVERIFY(!root.exists(QStringLiteral("appdata/Quillmoor_update")));
    QVERIFY(!root.exists(QStringLiteral("client/Quillmoor_update")));
    QVERIFY(!root.exists(QStringLiteral("appdata/Quillmoor_update.exe")));
}

void TestMainWindow::namedControlsExist()
{
    for (const char *name :
         {"Image_bg", "ColorBox1", "ColorBox2", "ColorBox3", "Image_Nav_Bg", "Layout_Top",
          "Label_title", "Layout2", "Image_More", "Image_Min", "Image_Max", "Image_Close",
          "HorzScrollBox_nav", "ColorBox5", "ListBox_menu", "ListBoxItem1", "ListBoxItem2",
          "ListBoxItem3", "Image2", "tbc_Client", "tbtm_home", "tbtm_kszn", "tbtm_zjlx",
          "tbtm_mnkc", "tbtm_sjlx", "tbtm_wdbj", "tbtm_wdsc", "tbtm_ctcz", "tbtm_stcz",
          "tbtm_tjfx", "tbtm_web", "tbtm_grzx", "TabItem_res", "img_navimage_bg",
          "img_navimage_kongbg", "AniIndicator1", "StatusBar1", "lbl_info", "TreeView_pop",
          "lbl_pop_title", "Button_close_pop", "tbc_pop", "tbtm_appList", "tbtm_AniIndicator",
          "tbtm_gyrj", "tbtm_UpdateNote", "tbtm_pop_Web", "TreeView_app", "imgLogo", "Label1",
          "Label2", "Label6", "Label7", "Label8"})
        QVERIFY2(control(name), name);
    for (const char *timer : {"Timer1", "Timer_Hide_Form_pc_start", "tmrUpDate"})
        QVERIFY2(m_main->findChild<QTimer *>(QLatin1String(timer)), timer);
    QCOMPARE(control<QTimer>("Timer1")->interval(), 1);
    QVERIFY(!control<QTimer>("Timer1")->isActive());
    QCOMPARE(control<QTimer>("tmrUpDate")->interval(), 10000);
    QVERIFY(control<QTimer>("tmrUpDate")->isActive());

    // Geometry of the title bar and the popup box.
    QCOMPARE(control("Image_Close")->geometry(), QRect(290, 0, 39, 27));
    QCOMPARE(control("Image_More")->geometry(), QRect(194, 0, 37, 27));
    QCOMPARE(control("Layout2")->width(), 328);
    QCOMPARE(control("Layout_Top")->height(), 35);
    QCOMPARE(control("HorzScrollBox_nav")->geometry().top(), 29);
    QCOMPARE(control("HorzScrollBox_nav")->height(), 100);
    QCOMPARE(control("ColorBox5")->size(), QSize(129, 70));
    QCOMPARE(control("ColorBox5")->x(), 1032);
    QCOMPARE(control("AniIndicator1")->size(), QSize(96, 96));
    QCOMPARE(control("AniIndicator1")->geometry().center(), m_main->rect().center());
    QCOMPARE(control("StatusBar1")->height(), 22);
    QCOMPARE(control("Image_bg")->geometry(), m_main->rect().adjusted(1, 1, -1, -1));
    QCOMPARE(control<QPushButton>("Button_close_pop")->geometry(), QRect(416, 11, 40, 22));
    QCOMPARE(control("imgLogo")->geometry(), QRect(190, 13, 100, 100));
    QVERIFY(!control("TreeView_pop")->isVisible());
    QVERIFY(!control("ColorBox5")->isVisible());
    // The personal centre's load (it fails: no web site here) hides the busy indicator.
    QTRY_VERIFY(!control("AniIndicator1")->isVisible());
    QCOMPARE(control("AniIndicator1")->toolTip(), QStringLiteral("等待"));
}

void TestMainWindow::statusLineAndAbout()
{
    const QString info = control<QLabel>("lbl_info")->text();
    QCOMPARE(info, MakeStatusLine(QStringLiteral("0")));
    QVERIFY(info.contains(AppConfig::RecordNumber + QStringLiteral("  题库总量：0 软件版本：")));
    QCOMPARE(control<QLabel>("Label_title")->text(), AppConfig::ProductName);
    QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("软件版本：1.63"));
    QCOMPARE(control<QLabel>("Label2")->text(),
             QStringLiteral("全国免费热线：") + AppConfig::HotlineNumber);
    QCOMPARE(control<QLabel>("Label6")->text(), QStringLiteral("客服QQ：") + AppConfig::SupportQQ);
    QVERIFY(control<QLabel>("Label7")->text().startsWith(AppConfig::MakerName));
    QVERIFY(!control<QLabel>("Label8")->text().isEmpty());
    // The status line is centred in its bar.
    const QWidget *label = control("lbl_info");
    QVERIFY(qAbs(label->geometry().center().x() - control("StatusBar1")->width() / 2) <= 1);
}

void TestMainWindow::bandFollowsWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("band");
    QTest::newRow("1050") << 1050 << 130;
    QTest::newRow("1051") << 1051 << 120;
    QTest::newRow("900") << 900 << 130;
    QTest::newRow("1280") << 1280 << 120;
}

void TestMainWindow::bandFollowsWidth()
{
    QFETCH(int, width);
    QFETCH(int, band);
    m_main->resize(width, 700);
    QTRY_COMPARE(m_main->width(), width);
    QCOMPARE(control("ColorBox1")->height(), band);
    // The two lines sit at the band's bottom; the page area starts below it.
    QCOMPARE(control("ColorBox3")->geometry().bottom(), band - 1);
    QCOMPARE(control("ColorBox2")->geometry().bottom(), band - 2);
    QCOMPARE(control("tbc_Client")->y(), band);
}

void TestMainWindow::clickMenuItem(const char *name)
{
    QWidget *item = control(name);
    QTest::mouseMove(item);
    QTest::mouseClick(item, Qt::LeftButton);
}

void TestMainWindow::moreMenuOpensAndCloses()
{
    TImage *more = control<TImage>("Image_More");
    QWidget *menu = control("ColorBox5");
    QTest::mouseClick(more, Qt::LeftButton);
    QVERIFY(menu->isVisible());
    QTest::mouseClick(more, Qt::LeftButton); // a second click leaves it shown
    QVERIFY(menu->isVisible());

    // Hover highlight follows the pointer.
    QWidget *item1 = control("ListBoxItem1");
    QTest::mouseMove(item1);
    QTRY_VERIFY(item1->property("selected").toBool());

    // A click on the status bar closes it.
    QTest::mouseClick(control("StatusBar1"), Qt::LeftButton);
    QVERIFY(!menu->isVisible());

    // The about entry opens the about page in the popup; the close button hides it.
    QTest::mouseClick(more, Qt::LeftButton);
    clickMenuItem("ListBoxItem3");
    QVERIFY(!menu->isVisible());
    QVERIFY(!control("ListBoxItem3")->property("selected").toBool());
    QVERIFY(control("TreeView_pop")->isVisible());
    QCOMPARE(control<QStackedWidget>("tbc_pop")->currentWidget()->objectName(),
             QStringLiteral("tbtm_gyrj"));
    QCOMPARE(control<QLabel>("lbl_pop_title")->text(), QStringLiteral("关于软件"));
    QTest::mouseClick(control("Button_close_pop"), Qt::LeftButton);
    QVERIFY(!control("TreeView_pop")->isVisible());

    // "切换科目" with nobody signed in opens no popup.
    QTest::mouseClick(more, Qt::LeftButton);
    clickMenuItem("ListBoxItem1");
    QVERIFY(!menu->isVisible());
    QVERIFY(!control("TreeView_pop")->isVisible());
}

void TestMainWindow::maximiseRestoreMinimise()
{
    TImage *max = control<TImage>("Image_Max");
    QTest::mouseClick(max, Qt::LeftButton);
    QTRY_VERIFY(m_main->isMaximized());
    QTest::mouseDClick(control("Image_Nav_Bg"), Qt::LeftButton, {}, QPoint(600, 60));
    QTRY_VERIFY(!m_main->isMaximized());
    QTest::mouseDClick(control("Image_Nav_Bg"), Qt::LeftButton, {}, QPoint(600, 60));
    QTRY_VERIFY(m_main->isMaximized());
    QVERIFY(!control<QTimer>("Timer1")->isActive()); // the double-click stopped the drag
    QTest::mouseClick(max, Qt::LeftButton);
    QTRY_VERIFY(!m_main->isMaximized());

    QTest::mouseClick(control("Image_Min"), Qt::LeftButton);
    QTRY_VERIFY(m_main->isMinimized());
    m_main->Image_MaxClick(); // does nothing while minimised
    QVERIFY(m_main->isMinimized());
    QVERIFY(!m_main->isMaximized());
}

void TestMainWindow::pressEffectMovesOnePicture()
{
    TImage *close = control<TImage>("Image_Close");
    TImage *min = control<TImage>("Image_Min");
    const int y = close->y();
    QTest::mousePress(close, Qt::LeftButton);
    QCOMPARE(close->y(), y + 1);
    QVERIFY(m_main->pictureDown());
    // A second picture pressed meanwhile does not move.
    QTest::mousePress(min, Qt::LeftButton);
    QCOMPARE(min->y(), y);
    // Sliding off the pressed picture puts it back.
    m_main->Image_CloseMouseLeave(close);
    QCOMPARE(close->y(), y);
    QVERIFY(!m_main->pictureDown());
}

void TestMainWindow::dragAreaMovesWindow()
{
    QWidget *drag = control("Image_Nav_Bg");
    const QPoint grab(400, 70);
    QTest::mousePress(drag, Qt::LeftButton, {}, grab);
    QVERIFY(control<QTimer>("Timer1")->isActive());
    const QPoint pointer(700, 300);
    QCursor::setPos(pointer);
    // The window's corner follows the pointer at the offset where it was grabbed.
    QTRY_COMPARE(m_main->pos(), pointer - grab);
    QTest::mouseRelease(drag, Qt::LeftButton, {}, grab);
    QVERIFY(!control<QTimer>("Timer1")->isActive());
}

void TestMainWindow::navigationHoverAndPress()
{
    auto bg = [this](const char *name) {
        return m_main->findChild<TImage *>(QStringLiteral("Image_") + QLatin1String(name) + QStringLiteral("_bg"));
    };
    // After the start the personal centre's entry is the highlighted one.
    QVERIFY(!bg("grzx")->picture().isNull());
    QVERIFY(bg("wdbj")->picture().isNull());
    TImage *icon = m_main->navIcon(QStringLiteral("wdbj"));
    m_main->Image_homeMouseEnter(icon);
    QVERIFY(!bg("wdbj")->picture().isNull());
    m_main->Image_homeMouseLeave(icon);
    QVERIFY(bg("wdbj")->picture().isNull());
    // Leaving the current entry keeps its highlight.
    m_main->Image_homeMouseEnter(m_main->navIcon(QStringLiteral("grzx")));
    m_main->Image_homeMouseLeave(m_main->navIcon(QStringLiteral("grzx")));
    QVERIFY(!bg("grzx")->picture().isNull());
    // Pressing an icon and sliding off it puts it back.
    const int y = icon->y();
    QTest::mousePress(icon, Qt::LeftButton);
    QCOMPARE(icon->y(), y + 1);
    m_main->Image_homeMouseLeave(icon);
    QCOMPARE(icon->y(), y);
    QVERIFY(!m_main->pictureDown());
    QCOMPARE(icon->size(), QSize(86, 62));
    QCOMPARE(m_main->findChild<QWidget *>(QStringLiteral("Layout_wdbj"))->geometry(), QRect(430, 1, 86, 88));
    QCOMPARE(m_main->findChild<QLabel *>(QStringLiteral("Label_wdbj"))->text(), QStringLiteral("我的笔记"));
    QCOMPARE(icon->property("hint").toString(), QStringLiteral("wdbj"));
}

void TestMainWindow::closingEndsProgram()
{
    QSignalSpy splashClosed(m_splash.get(), &TForm_pc_start::closed);
    QTest::mouseClick(control("Image_Close"), Qt::LeftButton);
    QVERIFY(m_main->closing());
    QVERIFY(!m_main->isVisible());
    QCOMPARE(splashClosed.count(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
