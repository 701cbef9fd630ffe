// The help text of quillmark-cli.
#pragma once

#include "cli/Options.h"
#include "engine/SourceKinds.h"

#include <span>
#include <string>

namespace qm::cli {

/// The help text of topic (Help: of every command), listing the command-line names of kinds
/// in the line of --kinds.
std::string HelpText(Command topic, std::span<const SourceKindInfo> kinds = kSourceKindTable);

} // namespace qm::cli
