#pragma once

// Addresses of the service's web site and the pages the client generates:
// the practice address, the transfer page that posts the practice
// parameters, the sign-in tip and the sign-in page's fill scripts.

#include <QString>

// The web site's base address, ending in "/".  Set once at start.
QString WebBaseUrl();
void SetWebBaseUrl(const QString &base);
const QString &DefaultWebBaseUrl();

// The seven practice parameters, in their fixed order.
struct PracticeParams
{
    QString appid, testclassid, action, testids, scores, testtypeids, testnums;
};

// WebBaseUrl + "showtests/showtests_pc.asp?" + the seven key=value pairs.
QString MakePracticeUrl(const QString &appid, const QString &testclassid, const QString &action,
                        const QString &testids, const QString &scores,
                        const QString &testtypeids, const QString &testnums);
QString MakePracticeUrl(const PracticeParams &p);

// The 47-line transfer page, lines joined by CR LF, none after the last.
// Values are inserted as JavaScript string content: quotes, backslashes,
// line breaks and "<" are escaped, so no value can end the string or the
// script; digits, commas, dots and minus signs come out unchanged.
QString MakeTransferPage(const QString &appid, const QString &testclassid, const QString &action,
                         const QString &testids, const QString &scores,
                         const QString &testtypeids, const QString &testnums);

// Text as the content of a JavaScript string literal (single or double quoted).
QString JsStringContent(const QString &text);

// The script that makes the personal-centre page show its sign-in reminder.
const QString &SignInTipScript();

// The three scripts that fill the sign-in page from the stored credentials.
// The remember flag becomes the literal true or false.
QString FillUserNameScript(const QString &userName);
QString FillPassWordScript(const QString &passWord);
QString FillRememberScript(const QString &rememberText);

// The page's addresses.
QString PersonalCentreUrl();
QString StatisticsUrl(qint32 appid);
QString GuideArticleUrl(const QString &appid, const QString &testhelpid);
bool IsSignInPage(const QString &address);

// The loading page shown while a page loads (a complete HTML document).
QString LoadingPageHtml();
