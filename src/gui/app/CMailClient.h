#pragma once
// Hands a message with one attachment to the user's mail program. The viewer composes nothing
// itself: the user's own mail program opens with the message filled in, and sends it.
#include <QString>

struct CMailMessage {
    QString subject;
    QString body;
    QString recipient; // may be empty: the user fills it in
    QString attachment;
};

class CMailClient {
public:
    enum class Result {
        Sent,      // handed over (or the user cancelled there)
        NoSupport, // no mail program to hand it to
        Invalid,   // the mail program is there but cannot be run
        Failed,    // the mail program reported a failure
    };
    virtual ~CMailClient() = default;
    virtual Result Send(const CMailMessage& message) = 0;
};

// The desktop's mail program through xdg-email (or $ZELVOR_MAIL_PROGRAM, which takes the same
// arguments). The arguments go to the program as a list, never through a shell, so a file name
// cannot inject anything.
class CXdgMailClient : public CMailClient {
public:
    Result Send(const CMailMessage& message) override;
    // The program and the argument list Send runs.
    static QString Program();
    static QStringList Arguments(const CMailMessage& message);
};
