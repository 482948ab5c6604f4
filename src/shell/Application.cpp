#include "shell/Application.h"

#include "data/Dialogs.h"
#include "data/Errors.h"

#include <exception>

namespace tamevo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ValidationError& error) {
        showMessage(error.text());
    } catch (const Error& error) {
        showError(error.text());
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showError(QStringLiteral("Beklenmeyen bir hata oluştu; işlem yarıda kaldı."));
    }
    // The event ended here, with its error shown.
    return true;
}

}  // namespace tamevo
