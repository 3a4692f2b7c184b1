#include "link/link_back.h"

#include "link/firmware_gate.h"

namespace vexa::link {

LinkBack CheckLinkBack(MachineLink& link, std::uint64_t cutAt, const std::string& tag) {
  if (!link.isOpen()) return link.ReopenLostPort() ? LinkBack::GateNeeded : LinkBack::Waiting;
  if (link.openings() > cutAt && TagRule{tag}.accepts(link.firmwareReply())) return LinkBack::Back;
  return LinkBack::Waiting;
}

}  // namespace vexa::link
