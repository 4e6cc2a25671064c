#include "services/ChatOpening.h"

#include <MacKit/PanelLogic.h>

namespace ChatOpening {

bool whatsAppInstalled(const WorkspaceService& workspace) { return workspace.hasHandler(MacKit::ChatLink::probe()); }

bool openFirst(WorkspaceService& workspace, const std::vector<PhoneKit::URL>& links) {
    for (const PhoneKit::URL& link : links) {
        if (workspace.open(link)) return true;
    }
    return false;
}

bool openChat(WorkspaceService& workspace, const PhoneKit::PhoneNumber& number) {
    return openFirst(workspace, MacKit::ChatLink::candidates(number, whatsAppInstalled(workspace)));
}

}  // namespace ChatOpening
