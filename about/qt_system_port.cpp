#include "qt_system_port.h"

#include <QFileInfo>
#include <QProcess>

namespace crestaverde {

bool QtSystemPort::fileExists(const std::string& path) const {
    return QFileInfo(QString::fromStdString(path)).isFile();
}

bool QtSystemPort::launch(const std::string& path) {
    return QProcess::startDetached(QString::fromStdString(path), {});
}

void QtSystemPort::showUnavailable(const std::string& text) {
    services_.messageBox(text, box::kOk);
}

}  // namespace crestaverde
