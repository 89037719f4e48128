#pragma once

#include "platform/toolrunner.h"

#include <QString>
#include <functional>

// What the existence check takes from the settings.
struct ExistenceSettings
{
    bool officeUser = false;
    QString officeCode;
    QString address; // the web service's address
    // The name of an office code in the office list; empty when the code is not listed.
    std::function<QString(const QString &)> officeName;
};

// How an answer of the existence-check service is judged.
enum class ExistenceCode
{
    NoOffice = 1, // the service knows no office for the municipality: do not archive
    Question = 2, // the user decides
    NotChecked = 3, // no answer, or one about another name: archive after the message
    NotArchived = 4 // not yet in the authority's archive: archive without a word
};

struct ExistenceVerdict
{
    ExistenceCode code = ExistenceCode::NotChecked;
    QString message;
};

// Where the connection message sends the user.
extern const char existenceSupportAddress[];

// Judges the client's run for the elaborat `name`. In test mode a question becomes the
// rich-text summary of every number the service answered.
ExistenceVerdict evaluateExistence(const QString &name, const ToolResult &client, bool testMode,
    const ExistenceSettings &settings);

// Runs the web-service client tev-post with the program folder as its working folder and waits
// at most ToolRunner::timeoutMs. The window keeps painting and shows a busy cursor meanwhile;
// user input waits until the client has ended.
ToolResult runExistenceClient(const QString &name, const QString &address);

// Asks the service before the elaborat `name` is archived and tells the user what it answered;
// true when archiving may go on. Contractors are not asked about and go on at once.
bool existenceCheck(const QString &name, const ExistenceSettings &settings);
