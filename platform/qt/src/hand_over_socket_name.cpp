#include "platform/qt/hand_over_socket_name.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

#include "platform/core/user_runtime_folder.h"

namespace mvf::platform {

QString HandOverSocketName(std::string_view messageName) {
    QString name = QStringLiteral("mvf-");
    for (const char c : messageName) {
        const bool plain =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        name += plain ? QChar::fromLatin1(c) : QChar(u'-');
    }
    name += u'-' + QString::number(::geteuid());

    const RuntimeFolder runtime = UserRuntimeFolder();
    const QString folder =
        runtime.path.empty() ? QDir::tempPath() : QFile::decodeName(runtime.path.c_str());
    return folder + u'/' + name;
}

} // namespace mvf::platform
