#pragma once

// The whole client (splash and main window) started against a stand-in
// service, and signing in on the service's page inside it, for the
// end-to-end tests.  Each step returns false when what it waits for does not
// happen in time.

#include <QString>
#include <QVariant>

#include <memory>

class ServiceProcess;
class TChromium;
class TForm_pc_start;
class TForm_windows_main;

// Runs a script in a browser's main frame and returns its value (invalid
// when the page gives none within 5 s).
QVariant EvaluateScript(TChromium *browser, const QString &script);

// Creates the splash and the main window with their settings in
// `settingsFolder`, shows them and waits for the main window.
bool StartClient(const ServiceProcess &service, const QString &settingsFolder,
                 std::unique_ptr<TForm_pc_start> &splash, std::unique_ptr<TForm_windows_main> &main);

// Waits until the personal centre shows the sign-in page with its script ready.
bool WaitForSignInPage(TForm_windows_main &main);

// Fills the sign-in form and submits it.
bool SubmitSignIn(TForm_windows_main &main, const QString &name, const QString &password, bool remember);
