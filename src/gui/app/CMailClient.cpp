#include "app/CMailClient.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

QString CXdgMailClient::Program() {
    const QString custom = qEnvironmentVariable("ZELVOR_MAIL_PROGRAM");
    return custom.isEmpty() ? QStringLiteral("xdg-email") : custom;
}

QStringList CXdgMailClient::Arguments(const CMailMessage& message) {
    QStringList args{QStringLiteral("--utf8"), QStringLiteral("--subject"), message.subject,
                     QStringLiteral("--body"), message.body};
    if (!message.attachment.isEmpty())
        args << QStringLiteral("--attach") << message.attachment;
    // A recipient that looks like an option must not be taken for one.
    if (!message.recipient.isEmpty() && !message.recipient.startsWith(QLatin1Char('-')))
        args << message.recipient;
    return args;
}

CMailClient::Result CXdgMailClient::Send(const CMailMessage& message) {
    const QString program = Program();
    const QString path =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return Result::NoSupport;
    if (!QFileInfo(path).isExecutable())
        return Result::Invalid;

    auto* process = new QProcess;
    process->setProgram(path);
    process->setArguments(Arguments(message));
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted(10000)) {
        delete process;
        return Result::Invalid;
    }
    if (process->state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(process, &QProcess::finished, &loop, &QEventLoop::quit);
        // The mail program usually returns once the compose window is up; one that keeps
        // running is left to itself after a while rather than holding the viewer.
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (process->state() != QProcess::NotRunning) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return Result::Sent;
    }
    const bool crashed = process->exitStatus() != QProcess::NormalExit;
    const int code = process->exitCode();
    delete process;
    if (crashed)
        return Result::Failed;
    // xdg-email: 0 success, 3 no mail program configured, anything else a failure.
    switch (code) {
    case 0:
        return Result::Sent;
    case 3:
        return Result::NoSupport;
    default:
        return Result::Failed;
    }
}
