#pragma once

#include <functional>

class QLineEdit;

namespace vexa::widgets {

// Runs `rule` whenever the user leaves `field` (its LostFocus): focus moved to another control
// by mouse, Tab or a dialog. Switching to another window or opening a menu is not leaving it,
// nor is the field being switched off (a job locking its fields).
void OnFieldLeft(QLineEdit* field, std::function<void()> rule);

}  // namespace vexa::widgets
