#pragma once

#include <QApplication>

namespace tamevo {

// The program's application object. Its event dispatch is the last guard of the program: an
// exception that a command lets through (every command is meant to go through guarded())
// is shown as an error, with its text, and ends only the event that raised it; the program
// keeps running, so no input is lost to an abort.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tamevo
