#pragma once

// A multi-line text whose user input stops at a number of characters.
// What the program puts in with setText is kept whole, so a longer stored
// text is never cut; typing, pasting and dropping then only shorten it.

#include <QPlainTextEdit>

class TMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TMemo(QWidget *parent = nullptr);

    void setMaxLength(int characters) { m_maxLength = characters; }
    int maxLength() const { return m_maxLength; }

    void setText(const QString &text);
    QString text() const { return toPlainText(); }

private:
    void refuseExcess(int position, int removed, int added);

    int m_maxLength = 0; // 0: no limit
    bool m_settingText = false;
};
