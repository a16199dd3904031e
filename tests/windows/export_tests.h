#pragma once
// What the export tests share: a file prompt that answers without a dialog, the failure reports
// a window makes while dialogs are off, and noctaris-cli's output for the same input.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "windows/exports_dialog.h"

namespace noctaris::test {

// Answers every question with `path` and `filter`, and keeps the questions.
struct FakePrompt {
    explicit FakePrompt(QString answerPath = {}, QString answerFilter = {})
        : path(std::move(answerPath)), filter(std::move(answerFilter)) {}

    QString path, filter;
    std::vector<SaveFileRequest> asked;

    SaveFilePrompt prompt() {
        return [this](QWidget*, const SaveFileRequest& r) {
            asked.push_back(r);
            return SaveFileChoice{path, filter};
        };
    }
};

// The failure reports (warnings, as dialogs are off in the tests) made while it lives.
class CapturedFailures {
public:
    CapturedFailures() : previous_(qInstallMessageHandler(&Collect)) { Reports().clear(); }
    ~CapturedFailures() { qInstallMessageHandler(previous_); }
    const QStringList& reports() const { return Reports(); }

private:
    static QStringList& Reports() {
        static QStringList reports;
        return reports;
    }
    static void Collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg) Reports() << text;
    }
    QtMessageHandler previous_;
};

// The standard output of `program args` run with `env` added to the environment; a failure to
// run or a non-zero exit fails the test.
inline QByteArray RunProgram(const QString& program, const QStringList& args,
                             const std::vector<std::pair<QString, QString>>& env = {}) {
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : env) e.insert(name, value);
    p.setProcessEnvironment(e);
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return p.readAllStandardOutput();
}

// noctaris-cli as built beside the tests (ctest names it); empty when run by hand.
inline QString CliProgram() { return qEnvironmentVariable("NOCTARIS_CLI"); }

// An iCalendar file without its DTSTAMP lines, the one part that is the time of writing.
inline QByteArray WithoutStamps(const QByteArray& ics) {
    QByteArray out;
    for (const QByteArray& line : ics.split('\n'))
        if (!line.startsWith("DTSTAMP:")) out += line + '\n';
    return out;
}

}  // namespace noctaris::test
