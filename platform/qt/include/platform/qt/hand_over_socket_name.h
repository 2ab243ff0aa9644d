// Where a hand-over receiver listens. On the original system a second program reached
// the first by broadcasting a registered window message ("MFV message" to the viewer,
// "FMM message" to the external editor); here the receiver listens on a local socket
// whose name is derived from that message name and the user id, so each user's programs
// meet only each other.
#pragma once

#include <QString>
#include <string_view>

namespace mvf::platform {

inline constexpr std::string_view kViewerMessage = "MFV message";
inline constexpr std::string_view kExternalEditorMessage = "FMM message";

// The socket's full path: "<runtime folder>/mvf-<message name, blanks as dashes>-<uid>",
// e.g. "/run/user/1000/mvf-MFV-message-1000", in the user's private runtime folder
// (user_runtime_folder.h). Should the user have none, the same name in the temporary
// folder. Pass it to HandOverServer::Listen and SendHandOver.
QString HandOverSocketName(std::string_view messageName);

} // namespace mvf::platform
