#pragma once

// The stand-in service's data: an SQLite file created and seeded on first
// start.  Every subject of the built-in catalogue gets a chapter tree
// (parts, chapters, sections), questions of every kind, question types and
// guide topics; a few subjects carry hand-written content; the demo users
// have notes, favourites and wrong answers.

#include "data_structure.h"

#include <QString>

#include <memory>
#include <mutex>
#include <optional>

struct sqlite3;

struct DemoUser
{
    qint32 userid;
    QString username;
    QString password;
    qint32 appid; // -1: no subject on the server
};

class Store
{
public:
    // Opens (creating and seeding when new or when reset) <folder>/quillmoor.sqlite.
    Store(const QString &folder, bool reset);
    ~Store();

    TAppListObject appList() const;
    TTestClassObject testsClass(qint32 appid);
    TTestHelpObject testsHelp(qint32 appid);
    TTestTypeObject testsType(qint32 appid);
    TUserInfoObject userNotes(qint32 appid, qint32 userid);
    TUserInfoObject userFavs(qint32 appid, qint32 userid);
    TUserInfoObject userErrors(qint32 appid, qint32 userid);
    TUserInfoObject findTests(const QString &key, qint32 appid);
    TUserTestsClassCountObject classCounts(qint32 appid, qint32 userid);
    TUserTestLogObject testLog(qint32 appid, qint32 userid);

    // Deletes the rows of a comma list of ids; false when the list is
    // malformed or names no row.
    bool deleteNotes(const QString &ids);
    bool deleteFavs(const QString &ids);
    bool deleteErrors(const QString &ids);
    bool updateNote(const QString &id, const QString &note);

    // What the practice page records.
    void recordAnswer(qint32 userid, qint32 testsid, bool right, const QString &comefrom);
    void addFav(qint32 userid, qint32 testsid);
    void addNote(qint32 userid, qint32 testsid, const QString &note);

    std::optional<DemoUser> userByName(const QString &name) const;
    std::optional<DemoUser> userById(qint32 id) const;
    void setUserApp(qint32 userid, qint32 appid);
    QString appCaption(qint32 appid) const;

    // The questions a practice page shows, by the page's parameters.
    struct Question
    {
        qint32 testsid;
        QString testtype, title, a3title, btitle, rightanswer, answercontent, analyse, options;
    };
    QList<Question> practiceQuestions(qint32 appid, const QString &testclassids,
                                      const QString &action, const QString &testids,
                                      const QString &testtypeids, const QString &testnums,
                                      qint32 userid, int limit);
    std::optional<Question> questionById(qint32 testsid);
    struct Statistics
    {
        int answered = 0, right = 0, favs = 0, notes = 0, wrong = 0;
    };
    Statistics statistics(qint32 appid, qint32 userid);

private:
    void createSchema();
    void seed();
    void exec(const char *sql);

    sqlite3 *m_db = nullptr;
    mutable std::mutex m_mutex;
    TAppListObject m_apps;
};
