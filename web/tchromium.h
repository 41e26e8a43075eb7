#pragma once

// An embedded browser: a view on one shared, persistent profile with the
// operations the client uses (load an address, load a text as the document,
// run a script in the main frame, read the main frame's address) and its
// events, delivered on the user-interface thread:
//   loadStart  - the main frame's committed address changed (also for a
//                fragment change), or a load succeeded whose address was
//                not reported at its commit (a reload);
//   loadEnd    - a page load ended, once per page, after its frames;
//   jsDialog   - a JavaScript dialog, when dialogs are intercepted.

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

class QWebEngineProfile;

class TChromiumPage : public QWebEnginePage
{
    Q_OBJECT
public:
    TChromiumPage(QWebEngineProfile *profile, QObject *parent);

    // When set, every dialog is reported through jsDialog and none is shown;
    // the page's script goes on at once.
    void setInterceptDialogs(bool intercept) { m_intercept = intercept; }

Q_SIGNALS:
    void jsDialog(const QString &message);

protected:
    void javaScriptAlert(const QUrl &origin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    // Console messages go to the "quillmoor.web" log with their source.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;

private:
    bool m_intercept = false;
};

class TChromium : public QWebEngineView
{
    Q_OBJECT
public:
    TChromium(QWebEngineProfile *profile, const QString &name, QWidget *parent);

    void loadAddress(const QString &address);
    void loadDocument(const QString &html); // the address reads "about:blank"
    void runScript(const QString &script);
    QUrl mainFrameUrl() const;
    TChromiumPage *chromiumPage() const { return m_page; }

    // Pages loaded so far (tests and the statistics rule count them).
    int loadsRequested() const { return m_loadsRequested; }

Q_SIGNALS:
    void loadStart(TChromium *sender, const QUrl &url);
    void loadEnd(TChromium *sender);
    void jsDialog(TChromium *sender, const QString &message);

private:
    TChromiumPage *m_page;
    int m_loadsRequested = 0;
    QUrl m_reportedUrl; // reported by urlChanged during the current load
};

// The one profile the four browsers share: named and persistent, session
// cookies kept, so a sign-in survives a restart.
QWebEngineProfile *CreateSharedProfile(QObject *parent);
