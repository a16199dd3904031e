#pragma once
// What every window of the program shares.
#include <QString>

class QWidget;

namespace noctaris {

// Message boxes and modal windows are shown unless a test switched them off with
// SetDialogsAllowed(false): a box would wait for a click that never comes.
bool DialogsAllowed();
void SetDialogsAllowed(bool allowed);

// A failure inside an event handler: a warning box over `parent` titled `title`, or a log line
// when dialogs are off. The program goes on either way.
void ReportFailure(QWidget* parent, const QString& title, const QString& text);

}  // namespace noctaris
