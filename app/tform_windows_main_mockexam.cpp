// The mock exam setup: chapters to draw from, and per question type the
// number of questions and the points per question; the start button posts
// the choice to the practice page through the transfer page.

#include "appconfig.h"
#include "mockexamrules.h"
#include "fonts.h"
#include "tform_windows_main.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>

namespace {

constexpr int kBottomHeight = 150;
constexpr int kBarHeight = 71;

void dimGrey(QWidget *w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, QColor(0x69, 0x69, 0x69));
    w->setPalette(p);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int px, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(DesignFont(px, bold));
    dimGrey(label);
    label->adjustSize();
    return label;
}

QScrollArea *makeBox(QWidget *parent, const char *name)
{
    auto *box = new QScrollArea(parent);
    box->setObjectName(QLatin1String(name));
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new QWidget;
    content->setObjectName(QLatin1String(name) + QStringLiteral("_content"));
    box->setWidget(content);
    for (QWidget *w : {static_cast<QWidget *>(box->viewport()), content})
        SetBackground(w, QColor(0xF4, 0xF8, 0xFC)); // the page background
    return box;
}

// Key and focus handling of the number and score edits.
class EditKeys : public QObject
{
public:
    explicit EditKeys(TForm_windows_main *window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (!edit)
            return false;
        const bool number = edit->objectName().startsWith(QLatin1String("edtNumber"));
        switch (event->type()) {
        case QEvent::KeyPress: {
            const QString text = static_cast<QKeyEvent *>(event)->text();
            if (text.size() != 1)
                return false; // editing keys (arrows, Delete) carry no character
            QChar ch = text.at(0);
            if (number)
                m_window->NumberEditKeyDown(edit, ch);
            else
                m_window->ScoreEditKeyDown(edit, ch);
            return ch.isNull(); // a suppressed character
        }
        case QEvent::KeyRelease:
            if (number)
                m_window->NumberEditKeyUp(edit);
            return false;
        case QEvent::FocusOut:
            if (number)
                m_window->NumberEditExit(edit);
            else
                m_window->ScoreEditExit(edit);
            return false;
        default:
            return false;
        }
    }

private:
    TForm_windows_main *m_window;
};

} // namespace

void TForm_windows_main::buildMockExamPage()
{
    lyt_Client = new QWidget(lyt_mnkc);
    lyt_Client->setObjectName(QStringLiteral("lyt_Client"));
    makeLabel(lyt_Client, "Label3", QStringLiteral("试题范围"), 20, true)->move(0, 0);
    checkAll->setParent(lyt_Client);
    checkAll->setFont(DesignFont(15));
    static_cast<QCheckBox *>(checkAll)->setText(QStringLiteral("全选"));
    checkAll->adjustSize();
    connect(static_cast<QCheckBox *>(checkAll), &QCheckBox::toggled, this,
            &TForm_windows_main::checkAllChange);
    makeLabel(lyt_Client, "Label12",
              QStringLiteral("（模拟考场所有试题会从一下科目中随机选择，您可以点击科目前面的“√”去掉不想进行测试的科目）"),
              15, false);
    auto *line1 = new QFrame(lyt_Client);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    vrtscrlbx_Client = makeBox(lyt_Client, "vrtscrlbx_Client");

    lyt_Bottom = new QWidget(lyt_mnkc);
    lyt_Bottom->setObjectName(QStringLiteral("lyt_Bottom"));
    makeLabel(lyt_Bottom, "Label10", QStringLiteral("题量设置"), 20, true)->move(0, 0);
    makeLabel(lyt_Bottom, "Label11",
              QStringLiteral("（题量设置默认为基础题量，您可以根据自身的学习情况进行自定义设置）"), 15, false);
    auto *line2 = new QFrame(lyt_Bottom);
    line2->setObjectName(QStringLiteral("Line2"));
    line2->setFrameShape(QFrame::HLine);
    vrtscrlbx_Bottom = makeBox(lyt_Bottom, "vrtscrlbx_Bottom");

    Button1 = new QPushButton(QStringLiteral("开始考试"), TreeView4);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->resize(136, 30);
    Button1->setCursor(Qt::PointingHandCursor);
    Button1->setStyleSheet(QStringLiteral("#Button1 { background: #328BE5; color: white; border: none;"
                                          " border-radius: 4px; font-size: 15px; }"));
    connect(Button1, &QPushButton::clicked, this, &TForm_windows_main::Button1Click);
    m_editKeys = new EditKeys(this);
}

void TForm_windows_main::layoutMockExam()
{
    if (!lyt_Client)
        return;
    const int w = tbc_Client->width();
    const int h = tbc_Client->height();
    lyt_mnkc->setGeometry(50, 4, w - 100, h - 8 - kBarHeight);
    const int inner = lyt_mnkc->width();
    lyt_Bottom->setGeometry(0, lyt_mnkc->height() - kBottomHeight, inner, kBottomHeight);
    lyt_Client->setGeometry(0, 0, inner, lyt_mnkc->height() - kBottomHeight);
    checkAll->move(lyt_Client->findChild<QLabel *>(QStringLiteral("Label3"))->width() + 10, 5);
    lyt_Client->findChild<QLabel *>(QStringLiteral("Label12"))->move(checkAll->geometry().right() + 10, 6);
    lyt_Client->findChild<QFrame *>(QStringLiteral("Line1"))->setGeometry(0, 30, inner, 1);
    vrtscrlbx_Client->setGeometry(0, 32, inner, lyt_Client->height() - 32);
    lyt_Bottom->findChild<QLabel *>(QStringLiteral("Label11"))
        ->move(lyt_Bottom->findChild<QLabel *>(QStringLiteral("Label10"))->width() + 10, 6);
    lyt_Bottom->findChild<QFrame *>(QStringLiteral("Line2"))->setGeometry(0, 30, inner, 1);
    vrtscrlbx_Bottom->setGeometry(0, 32, inner, kBottomHeight - 32);
    TreeView4->setGeometry(0, h - kBarHeight, w, kBarHeight);
    Button1->move(w - 136 - 50, (kBarHeight - 30) / 2);
}

void TForm_windows_main::BuildMockExamSetup()
{
    const double windowWidth = width();
    QWidget *chapters = vrtscrlbx_Client->widget();
    TestClassMaxLength = qint32(chk_mnkc_TestClass.size());
    for (QCheckBox *box : std::as_const(chk_mnkc_TestClass))
        if (box)
            box->hide();
    QList<qsizetype> rows;
    for (qsizetype i = 0; i < TestClassArr.tree.size(); ++i)
        if (TestClassArr.tree.at(i) == QLatin1String("2"))
            rows.append(i);
    const qint32 m = qint32(rows.size());
    if (m > 0) {
        TestClassMaxLength = qMax(TestClassMaxLength, m);
        chk_mnkc_TestClass.resize(m);
        for (qint32 i = 0; i < m; ++i) {
            QCheckBox *&box = chk_mnkc_TestClass[i];
            if (!box) {
                box = new QCheckBox(chapters);
                box->setFont(DesignFont(15));
                dimGrey(box);
                box->setFixedWidth(200);
            }
            const QString id = TestClassArr.testclassid.value(rows[i]);
            box->setText(box->fontMetrics().elidedText(TestClassArr.caption.value(rows[i]), Qt::ElideRight, 180));
            box->setToolTip(TestClassArr.caption.value(rows[i]));
            box->setProperty("StyleName", id);
            box->setProperty("Tag", id.toInt());
            box->setChecked(false);
            box->move(int((windowWidth - 110) / 5 * (i % 5) + 10), (i / 5) * 50 + 20);
            box->show();
        }
        chapters->resize(qMax(200, vrtscrlbx_Client->width() - 20), ((m - 1) / 5) * 50 + 60);
    }

    QWidget *typesBox = vrtscrlbx_Bottom->widget();
    TestTypeMaxLength = qint32(lblTypeCaption.size());
    for (qint32 i = 0; i < TestTypeMaxLength; ++i)
        for (QWidget *w : {static_cast<QWidget *>(lblTypeCaption[i]), static_cast<QWidget *>(edtNumber[i]),
                           static_cast<QWidget *>(lblProblem[i]), static_cast<QWidget *>(edtScore[i]),
                           static_cast<QWidget *>(lblScore[i])})
            w->hide();
    const qint32 t = qint32(TestTypeArr.testtypeid.size());
    if (t > 0) {
        if (TestTypeMaxLength < t) {
            for (qint32 i = TestTypeMaxLength; i < t; ++i) {
                auto label = [&](const QString &text) {
                    auto *l = new QLabel(text, typesBox);
                    l->setFont(DesignFont(15));
                    dimGrey(l);
                    return l;
                };
                auto edit = [&] {
                    auto *e = new QLineEdit(typesBox);
                    e->setFont(DesignFont(15));
                    e->resize(30, 30);
                    e->setAlignment(Qt::AlignCenter);
                    e->installEventFilter(m_editKeys);
                    return e;
                };
                lblTypeCaption.append(label(QString()));
                edtNumber.append(edit());
                lblProblem.append(label(QStringLiteral("题，每题")));
                edtScore.append(edit());
                lblScore.append(label(QStringLiteral("分")));
            }
            TestTypeMaxLength = t;
        }
        for (qint32 i = 0; i < t; ++i) {
            const QString id = TestTypeArr.testtypeid.value(i);
            const int tag = id.toInt();
            const double x = (windowWidth - 110) / 3 * (i % 3) + 10;
            const int y = (i / 3) * 50 + 20;
            QLabel *caption = lblTypeCaption[i];
            caption->setText(TestTypeArr.caption.value(i));
            caption->adjustSize();
            caption->move(int(x), y);
            QLineEdit *number = edtNumber[i];
            number->setObjectName(QStringLiteral("edtNumber") + id);
            number->setMaxLength(2);
            number->setText(QStringLiteral("5"));
            number->move(caption->x() + caption->width(), y - 7);
            lblProblem[i]->adjustSize();
            lblProblem[i]->move(number->x() + number->width(), number->y() + 7);
            QLineEdit *score = edtScore[i];
            score->setObjectName(QStringLiteral("edtScore") + id);
            score->setText(TestTypeArr.score.value(i));
            score->move(lblProblem[i]->x() + lblProblem[i]->width(), lblProblem[i]->y() - 7);
            lblScore[i]->adjustSize();
            lblScore[i]->move(score->x() + score->width(), score->y() + 7);
            for (QWidget *w : {static_cast<QWidget *>(caption), static_cast<QWidget *>(number),
                               static_cast<QWidget *>(lblProblem[i]), static_cast<QWidget *>(score),
                               static_cast<QWidget *>(lblScore[i])}) {
                w->setProperty("StyleName", id);
                w->show();
            }
            for (QWidget *w : {static_cast<QWidget *>(caption), static_cast<QWidget *>(number),
                               static_cast<QWidget *>(score)})
                w->setProperty("Tag", tag);
        }
        typesBox->resize(qMax(200, vrtscrlbx_Bottom->width() - 20), ((t - 1) / 3) * 50 + 60);
    }
    if (m > 0 && t > 0)
        lyt_mnkc->show();
}

void TForm_windows_main::checkAllChange()
{
    const bool ticked = static_cast<QCheckBox *>(checkAll)->isChecked();
    for (QCheckBox *box : std::as_const(chk_mnkc_TestClass)) {
        if (!box)
            continue;
        if (ticked) {
            if (!box->isHidden())
                box->setChecked(true);
        } else {
            box->setChecked(false);
        }
    }
}

void TForm_windows_main::NumberEditKeyDown(QLineEdit *sender, QChar &key)
{
    if (!NumberKeyAllowed(sender->text(), key))
        key = QChar();
}

void TForm_windows_main::NumberEditKeyUp(QLineEdit *sender)
{
    const QString text = NumberAfterKeyUp(sender->text());
    if (text != sender->text())
        sender->setText(text);
}

void TForm_windows_main::NumberEditExit(QLineEdit *sender)
{
    sender->setText(NumberOnExit(sender->text()));
}

void TForm_windows_main::ScoreEditKeyDown(QLineEdit *sender, QChar &key)
{
    if (!ScoreKeyAllowed(sender->text(), key))
        key = QChar();
}

void TForm_windows_main::ScoreEditExit(QLineEdit *sender)
{
    sender->setText(ScoreOnExit(sender->text()));
}

void TForm_windows_main::Button1Click()
{
    qsizetype chapters = 0;
    for (const QString &tree : std::as_const(TestClassArr.tree))
        if (tree == QLatin1String("2"))
            ++chapters;
    QStringList ticked;
    for (qsizetype i = 0; i < chapters && i < chk_mnkc_TestClass.size(); ++i) {
        QCheckBox *box = chk_mnkc_TestClass[i];
        if (box && box->isChecked() && !box->isHidden())
            ticked.append(box->property("StyleName").toString());
    }
    QList<MockExamType> types;
    for (qsizetype i = 0; i < TestTypeArr.testtypeid.size() && i < edtNumber.size(); ++i)
        types.append({QString::number(edtNumber[i]->property("Tag").toInt()), edtNumber[i]->text(),
                      edtScore[i]->text()});
    const MockExamLists lists = BuildMockExamLists(TestClassArr, ticked, types);
    if (lists.testclassid.isEmpty()) {
        ShowMessage(QStringLiteral("请选择一个章节"));
        return;
    }
    if (lists.testtypeids.isEmpty()) {
        ShowMessage(QStringLiteral("请选择一个题型"));
        return;
    }
    LaunchPracticeByTransferPage(lists.testclassid, lists.scores, lists.testtypeids, lists.testnums);
}

void TForm_windows_main::ShowMessage(const QString &text)
{
    if (m_messageHook) {
        m_messageHook(text);
        return;
    }
    QMessageBox::information(this, AppConfig::ProductName, text);
}
