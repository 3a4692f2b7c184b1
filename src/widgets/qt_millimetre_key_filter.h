#pragma once

class QLineEdit;

namespace vexa::widgets {

// Applies the key filter of millimetre fields to each character typed into `field`: digits,
// "-", "," and backspace pass, "." becomes ",", other characters are swallowed. Keys that type
// nothing (arrows, Delete, Tab) are left alone.
void ApplyMillimetreKeyFilter(QLineEdit* field);

}  // namespace vexa::widgets
