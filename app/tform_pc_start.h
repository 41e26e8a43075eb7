#pragma once

// The splash window, the application's main form: it is shown when the
// event loop starts, brings up the main window, places it and hides itself.
// The program ends when it closes.

#include <QPixmap>
#include <QString>
#include <QWidget>

class TForm_windows_main;

class TForm_pc_start : public QWidget
{
    Q_OBJECT
public:
    explicit TForm_pc_start(QWidget *parent = nullptr);

    void setMainWindow(TForm_windows_main *window) { m_main = window; }

    // Folders whose update leftovers the show handler removes.
    void setLeftoverFolders(const QString &appDataFolder, const QString &clientFolder);

    void FormShow();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void placeMainWindow();

    TForm_windows_main *m_main = nullptr;
    QPixmap m_picture;
    QString m_appDataFolder;
    QString m_clientFolder;
    bool m_shown = false;
};
