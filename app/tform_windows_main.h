#pragma once

// The main window: a borderless frame with its own title bar, the navigation
// strip, the page control, the status line and the popup overlay, and the
// state that every page of the client reads and writes.

#include "data_structure.h"
#include "notesave.h"
#include "requestrunner.h"

#include <QList>
#include <QPalette>

#include <functional>
#include <QString>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QStatusBar;
class QTimer;
class QTreeWidget;
class QWebEngineProfile;
class QTreeWidgetItem;
class TAniIndicator;
class TChromium;
class TClientModule1;
class TImage;
class TMemo;

class TForm_windows_main : public QWidget
{
    Q_OBJECT
public:
    explicit TForm_windows_main(QWidget *parent = nullptr);
    ~TForm_windows_main() override;

    // Where AppInfo.ini lives; the executable's folder unless overridden.
    void setSettingsFolder(const QString &folder) { m_settingsFolder = folder; }
    QString settingsFolder() const { return m_settingsFolder; }
    QString appInfoFile() const;

    // --- state, in the order the window keeps it -------------------------
private:
    float yX = 0;
    float yY = 0;
    QString OldNavName;
    QString OldURL;
    bool isDown = false;
    bool isNowUser = false;
    bool isClose = false;
    bool isFirst = false;
    bool ThreadAppFlg = false;
    bool ThreadHomeFlg = false;
    bool ThreadClassFlg = false;
    bool ThreadHelpFlg = false;
    bool ThreadPracticeFlg = false;
    bool ThreadNoteFlg = false;
    bool ThreadFavFlg = false;
    bool ThreadErrorFlg = false;
    bool ThreadSearchFlg = false;
    bool ThreadCClassCountFlg = false;
    QString PresentTestClassId;
    QString OldPresentTestClassId;
    QList<QWidget *> Panel_TestClass, Layout_Left_TestClass, Layout_Right_TestClass;
    QList<TImage *> Image_TestClass;
    QList<QLabel *> Label_TestCaption_TestClass, Label_info_TestClass, Label_ct_TestClass,
        Label_sc_TestClass, Label_bj_TestClass;
    QList<QFrame *> Line_TestClass;
    TRecordsDataArr RecordsDataArr;
    qint32 TestClassMax = 0;
    QList<QCheckBox *> chk_mnkc_TestClass;
    QList<QLabel *> lblTypeCaption, lblProblem, lblScore;
    QList<QLineEdit *> edtNumber, edtScore;
    qint32 TestClassMaxLength = 0;
    qint32 TestTypeMaxLength = 0;
    QList<QWidget *> Panel_UserNote, Layout_Client_UserNote, Layout_Bottom_UserNote,
        Layout_Right_UserNote;
    QList<QLabel *> Label_TestTitle_UserNote, Label_RightAnswer_UserNote, Label_AnAlyse_UserNote,
        Label_UserNote_UserNote;
    QList<QPushButton *> Button_UserNote, Button_Update_UserNote;
    QList<QFrame *> Line_UserNote;
    qint32 UserNoteMaxLength = 0;
    QList<QWidget *> Panel_UserFav, Layout_Client_UserFav, Layout_Right_UserFav;
    QList<QLabel *> Label_TestTitle_UserFav, Label_RightAnswer_UserFav, Label_AnAlyse_UserFav;
    QList<QPushButton *> Button_UserFav;
    QList<QFrame *> Line_UserFav;
    qint32 UserFavMaxLength = 0;
    QList<QWidget *> Panel_UserError, Layout_Client_UserError, Layout_Right_UserError;
    QList<QLabel *> Label_TestTitle_UserError, Label_RightAnswer_UserError,
        Label_AnAlyse_UserError;
    QList<QPushButton *> Button_UserError;
    QList<QFrame *> Line_UserError;
    qint32 UserErrorMaxLength = 0;
    QList<QWidget *> Panel_FindTest, Layout_Client_FindTest;
    QList<QLabel *> Label_TestTitle_FindTest, Label_RightAnswer_FindTest, Label_AnAlyse_FindTest;
    QList<QFrame *> Line_FindTest;
    qint32 FindTestMaxLength = 0;

public:
    qint32 TestAppId = -1;
    qint32 UserId = -1;
    QString TestAppName;
    QString TestAppEName;
    QString TestNum;
    TAppListArr AppListArr;
    TTestClassArr TestClassArr;
    TUserTestsClassCountArr UserTestsClassCountArr;
    TTestHelpArr TestHelpArr;
    TTestTypeArr TestTypeArr;
    TUserInfoArr UserFavArr;
    TUserInfoArr UserNoteArr;
    TUserInfoArr FindTestArr;
    TUserInfoArr UserErrorArr;

    // Hidden text holders: the loading page and the embedded subject list.
    QString Memo_loading_html;
    QString Memo_AppList;

    // Read access for the parts of the client that observe the window.
    bool closing() const { return isClose; }
    bool startFinished() const { return isFirst; }
    QString oldNavName() const { return OldNavName; }
    bool pictureDown() const { return isDown; }
    const TRecordsDataArr &recordsData() const { return RecordsDataArr; }

    // --- handlers ---------------------------------------------------------
    void FormShow();
    void FormResize();
    void Image_CloseClick();
    void Image_MaxClick();
    void Image_MinClick();
    void Image_MoreClick();
    void Image_Nav_BgMouseDown(QPointF localPos);
    void Image_Nav_BgMouseUp();
    void Timer1Timer();
    void Image_CloseMouseDown(TImage *sender);
    void Image_MoreMouseUp(TImage *sender);
    void Image_CloseMouseLeave(TImage *sender);
    void ListBoxItem1MouseMove(QLabel *sender);
    void ListBoxItem1MouseLeave(QLabel *sender);
    void ListBoxItem1Click();
    void ListBoxItem2Click();
    void ListBoxItem3Click();
    void MenuItem3Click();
    void Button_close_popClick();
    void Timer_Hide_Form_pc_startTimer();
    void HideMoreMenu();

    // The splash window that Timer_Hide_Form_pc_start hides and that closes
    // with this window.
    void setSplash(QWidget *splash) { m_splash = splash; }

    // The status line with a question count.
    void ShowStatusLine(const QString &testNum);

    // --- navigation ---------------------------------------------------------
    void Layout_homeClick(QObject *sender);
    void Image_homeMouseEnter(QObject *sender);
    void Image_homeMouseLeave(QObject *sender);
    void Image_kscyClick();
    // The icon of a navigation entry ("Image_" + name), the sender the
    // program's own page changes use.
    TImage *navIcon(const QString &name) const;

    // --- web pages ----------------------------------------------------------
    void ShowLoadingPage(TChromium *browser);
    void ShowSignInTip();
    // Launch by address: tbtm_web, busy indicator, loading page, then the
    // practice address in chrmfmx_Test.
    void LaunchPracticeByAddress(const QString &testclassid, const QString &action,
                                 const QString &testids);
    // Launch by transfer page (the mock exam).
    void LaunchPracticeByTransferPage(const QString &testclassid, const QString &scores,
                                      const QString &testtypeids, const QString &testnums);
    void chrmfmx_grzxLoadStart(TChromium *sender, const QUrl &url);
    void chrmfmx_grzxLoadEnd(TChromium *sender);
    void chrmfmx_grzxJsdialog(TChromium *sender, const QString &message);
    // How long ShowLoadingPage lets the loading page paint (50 x 10 ms).
    void setLoadingPageTurns(int turns) { m_loadingTurns = turns; }

    // --- chapter practice ---------------------------------------------------
    void BuildChapterTree(const TUserTestsClassCountArr &rows);
    void OpenChapter(QTreeWidgetItem *item);
    void BuildChapterRows(const QString &chapterId);
    void RefreshChapterRows(const QString &id);
    void PractiseSection(QObject *sender);
    void PractiseSectionCollection(QLabel *sender);
    int chapterSlots() const { return TestClassMax; }
    // Places the controls of one section row in its panel.
    void layoutRow(QWidget *panel);
    QString presentTestClassId() const { return PresentTestClassId; }

    // --- question card lists --------------------------------------------------
    void ShowUserNoteList();
    void ShowUserFavList();
    void ShowUserErrorList();
    void ShowFindTestList();

    // --- collection actions and the note editor -------------------------------
    void DeleteUserNoteClick(QObject *sender);
    void DeleteUserFavClick(QObject *sender);
    void DeleteUserErrorClick(QObject *sender);
    void Button5Click(); // remove all notes
    void Button3Click(); // remove all favourites
    void Button7Click(); // remove all wrong questions
    void Button4Click(); // practise the notes page
    void Button2Click(); // practise the favourites page
    void Button6Click(); // practise the wrong-question page
    void EditUserNoteClick(QObject *sender);
    void btn_Update_okClick();
    void setNoteSaveTiming(const NoteSaveTiming &timing) { m_noteSaveTiming = timing; }

    // --- question search ------------------------------------------------------
    void Button9Click();
    void Edit1Exit();
    void Button10Click();
    void Button8Click();

    // --- mock exam ----------------------------------------------------------
    void BuildMockExamSetup();
    void checkAllChange();
    void NumberEditKeyDown(QLineEdit *sender, QChar &key);
    void NumberEditKeyUp(QLineEdit *sender);
    void NumberEditExit(QLineEdit *sender);
    void ScoreEditKeyDown(QLineEdit *sender, QChar &key);
    void ScoreEditExit(QLineEdit *sender);
    void Button1Click();
    // Information boxes; tests take the text instead of a modal box.
    void ShowMessage(const QString &text);
    void setMessageHook(std::function<void(const QString &)> hook) { m_messageHook = std::move(hook); }

    // --- update check -------------------------------------------------------
    void tmrUpDateTimer();
    void FileUpdate();
    void ShowError(const QString &text);
    void setQuestionHook(std::function<bool(const QString &)> hook) { m_questionHook = std::move(hook); }
    // Where the updater is downloaded and where it starts (tests set both).
    void setAppDataFolder(const QString &folder) { m_appDataFolder = folder; }
    void setClientFolder(const QString &folder) { m_clientFolder = folder; }
    QString UpdateURL;
    QString UpdaterFile;

    // --- exam guide ---------------------------------------------------------
    void ShowTestHelpTree();
    void TestHelpNodeClick(QTreeWidgetItem *sender);

    // --- subject chooser ----------------------------------------------------
    void BuildAppTree();
    void ToggleTreeItem(QTreeWidgetItem *item);
    void SelectApp(QTreeWidgetItem *item);

    // --- server requests ----------------------------------------------------
    void setClientModule(std::shared_ptr<TClientModule1> module) { m_module = std::move(module); }
    std::shared_ptr<TClientModule1> clientModule() const { return m_module; }
    void setRequestTiming(const RequestTiming &timing) { m_timing = timing; }

    // Runs the named request off the user-interface thread and returns when
    // it has completed, the worker has given up or the window is closing;
    // events are handled meanwhile.  The records it produced are installed
    // here, then the page's display step runs.  On return `flag` holds the
    // answer of a delete request, false for every other request.
    void GetInterfaceData(bool &flag, const QString &FunctionName, const QString &DeleteId = {});

Q_SIGNALS:
    // The update check has finished (prompt and messages included).
    void updateCheckDone();
    // The window was asked to close; waiting requests stop waiting.
    void closeRequested();
    // The window has closed; the splash window closes with it.
    void formClosed();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildFrame();
    void buildTitleBar();
    void buildPages();
    void buildPopup();
    void buildAboutPage(QWidget *page);
    void buildMoreMenu();
    void layoutFrame();
    void layoutPages();
    void buildEmptyLabels();
    void buildNavigation();
    void buildBrowsers();
    void buildChapterPage();
    void buildMockExamPage();
    void buildCardPages();
    void layoutCardPages();
    enum class CardList { Notes, Favourites, Errors, Search };
    // The record and the slot arrays of one card list.
    struct CardSlots
    {
        const char *suffix;
        const TUserInfoArr &entries;
        const QStringList &ids; // the card ids of this list
        QList<QWidget *> &panels;
        QList<QLabel *> &titles;
        QList<QLabel *> &answers;
        QList<QLabel *> &analyses;
        QList<QPushButton *> *removeButtons; // none on search cards
        qint32 &allocated;
    };
    CardSlots cardSlots(CardList list);
    void rebuildCards(CardList list);
    void createCardSlot(CardList list, qint32 j, QWidget *content);
    QLabel *emptyLabelOf(CardList list) const;
    // Moves the shown cards of a list together after some were hidden or shown again.
    void restackCards(CardList list);
    QScrollArea *cardArea(CardList list) const;
    // Hides a card area and its cards (the rebuild shows them again).
    void hideCardArea(CardList list);
    QWidget *cardBar(CardList list) const; // TreeView5 for the search
    // A page of tbc_Client by name (its direct children only: the pages
    // themselves may hold thousands of widgets).
    QWidget *pageNamed(const QString &name) const;
    void showBusy();
    void deleteCard(CardList list, QObject *sender);
    void removeAllCards(CardList list);
    // The question ids of the list's entries whose cards are shown.
    QString visibleQuestionIds(CardList list);
    void practisePage(CardList list);
    void buildNoteEditor();
    void buildSearchBar();
    void layoutSearchBar();
    void layoutMockExam();
    void promptForUpdate();
    void createRowSlot(qint32 k, QWidget *content);
    void SwitchPage(const QString &name);
    void selectPage(const char *name);
    void setNavBackground(const QString &name, bool highlighted);
    void handleSignIn(const QString &address);
    void forgetSubjectPages();
    void installRecords(const QString &name, RequestOutput output);
    void runDisplayStep(const QString &name);
    void setMenuItemSelected(QLabel *item, bool selected);

    QString m_settingsFolder;
    QWidget *m_splash = nullptr;
    std::shared_ptr<TClientModule1> m_module;
    RequestTiming m_timing;
    QString m_onlineCount; // the last "home" answer
    int m_loadingTurns = 50;
    QWebEngineProfile *m_profile = nullptr;
    bool m_shown = false;

    // Controls of the frame.
    TImage *Image_bg = nullptr;
    QWidget *ColorBox1 = nullptr;
    QWidget *ColorBox2 = nullptr;
    QWidget *ColorBox3 = nullptr;
    TImage *Image_Nav_Bg = nullptr;
    QWidget *Layout_Top = nullptr;
    QLabel *Label_title = nullptr;
    QWidget *Layout2 = nullptr;
    TImage *Image_More = nullptr;
    TImage *Image_Min = nullptr;
    TImage *Image_Max = nullptr;
    TImage *Image_Close = nullptr;
    QScrollArea *HorzScrollBox_nav = nullptr;
    QWidget *ColorBox5 = nullptr;
    QWidget *ListBox_menu = nullptr;
    QLabel *ListBoxItem1 = nullptr;
    QLabel *ListBoxItem2 = nullptr;
    QLabel *ListBoxItem3 = nullptr;
    TImage *Image2 = nullptr;
    QStackedWidget *tbc_Client = nullptr;
    TAniIndicator *AniIndicator1 = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QLabel *lbl_info = nullptr;
    QWidget *TreeView_pop = nullptr;
    QWidget *popBox = nullptr;
    QLabel *lbl_pop_title = nullptr;
    QPushButton *Button_close_pop = nullptr;
    QStackedWidget *tbc_pop = nullptr;
    QTreeWidget *TreeView_app = nullptr;
    TImage *imgLogo = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    TImage *img_navimage_bg = nullptr;
    TImage *img_navimage_kongbg = nullptr;
    QLabel *lbl_zjlx_zwnr = nullptr;
    QLabel *lbl_kszn_zwnr = nullptr;
    QLabel *lbl_mnkc_zwnr = nullptr;
    QLabel *lbl_wdbj_zwnr = nullptr;
    QLabel *lbl_wdsc_zwnr = nullptr;
    QLabel *lbl_ctcz_zwnr = nullptr;
    QLabel *lbl_stcz_zwnr = nullptr;
    QWidget *TreeView4 = nullptr;
    QLabel *lbl_OnlineCount = nullptr;
    QLineEdit *Edit1 = nullptr;
    QScrollArea *vrtscrlbx_UserNote = nullptr;
    QScrollArea *vrtscrlbx_UserFav = nullptr;
    QScrollArea *vrtscrlbx_UserError = nullptr;
    QScrollArea *vrtscrlbx_FindTest = nullptr;
    QWidget *tv_wdbj_Bottom = nullptr;
    QWidget *tv_wdsc_Bottom = nullptr;
    QWidget *tv_ctcz_Bottom = nullptr;
    QLabel *Label5 = nullptr;
    QWidget *TreeView5 = nullptr;
    QWidget *lyt_FindBar = nullptr;
    QPushButton *Button8 = nullptr;
    QPushButton *Button9 = nullptr;
    QPushButton *Button10 = nullptr;
    TMemo *mmo_UpdateNote = nullptr;
    QPushButton *btn_Update_ok = nullptr;
    QPushButton *btn_Update_close = nullptr;
    NoteSaveTiming m_noteSaveTiming;
    bool m_noteSaving = false;
    QWidget *lyt_mnkc = nullptr;
    QStackedWidget *tbc_zjlx = nullptr;
    QWidget *lyt_Client = nullptr;
    QWidget *lyt_Bottom = nullptr;
    QScrollArea *vrtscrlbx_Client = nullptr;
    QScrollArea *vrtscrlbx_Bottom = nullptr;
    QPushButton *Button1 = nullptr;
    QObject *m_editKeys = nullptr;
    QObject *m_cardLayout = nullptr;
    QPalette m_cardPalette;
    std::function<void(const QString &)> m_messageHook;
    std::function<bool(const QString &)> m_questionHook;
    QString m_appDataFolder;
    QString m_clientFolder;
    QObject *m_rowClicks = nullptr;
    QTreeWidget *tv_zjlx = nullptr;
    QTreeWidget *tv_kszn = nullptr;
    QWidget *checkAll = nullptr;
    TImage *Image_kscy = nullptr;
    QWidget *Layout1 = nullptr;
    TImage *Image1 = nullptr;
    QWidget *Layout3 = nullptr;
    TImage *Image3 = nullptr;
    QWidget *Layout9 = nullptr;

public:
    TChromium *chrmfmx_grzx = nullptr;
    TChromium *chrmfmx_Test = nullptr;
    TChromium *chrmfmx_tjfx = nullptr;
    TChromium *chrmfmx_Help = nullptr;

private:
    QTimer *Timer1 = nullptr;
    QTimer *Timer_Hide_Form_pc_start = nullptr;
    QTimer *tmrUpDate = nullptr;

    friend class TForm_pc_start;
};
