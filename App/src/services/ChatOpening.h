#pragma once

#include "platform/Services.h"

#include <PhoneKit/links/URL.h>
#include <PhoneKit/numbers/PhoneExtractor.h>

#include <vector>

/// Handing WhatsApp links to the desktop, for the panel, the messages and
/// the command line alike.
namespace ChatOpening {

/// Whether some application handles WhatsApp's own links.
bool whatsAppInstalled(const WorkspaceService& workspace);

/// Hands the links over in order until the desktop takes one; false when
/// none was taken (or there was none).
bool openFirst(WorkspaceService& workspace, const std::vector<PhoneKit::URL>& links);

/// The chat of `number`: WhatsApp's own link when an application handles
/// it, else (or when that fails) the web link.
bool openChat(WorkspaceService& workspace, const PhoneKit::PhoneNumber& number);

}  // namespace ChatOpening
