#include "tmemo.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TMemo::TMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this, &TMemo::refuseExcess);
}

void TMemo::setText(const QString &text)
{
    m_settingText = true;
    setPlainText(text);
    m_settingText = false;
}

// Drops the end of what was just inserted, as much as goes beyond the
// limit; the text that was there before stays untouched.
void TMemo::refuseExcess(int position, int /*removed*/, int added)
{
    if (m_settingText || m_maxLength <= 0 || added <= 0)
        return;
    const int length = document()->characterCount() - 1; // without the closing paragraph mark
    const int excess = length - qMax(m_maxLength, length - added);
    if (excess <= 0)
        return;
    int cut = qMin(excess, added);
    const int end = position + added;
    // Never split a surrogate pair.
    const QChar first = document()->characterAt(end - cut);
    if (first.isLowSurrogate() && cut < added)
        ++cut;
    QTextCursor cursor(document());
    cursor.setPosition(end - cut);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
