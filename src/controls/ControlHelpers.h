#pragma once

class QComboBox;
class QWidget;

// Selects the first entry whose attached value (item data) equals `value`, as the program would:
// no selection-change signal. False, with the selection unchanged, when no entry has it.
bool SelectComboByValue(QComboBox& combo, int value);

// Gives the edit the keyboard focus when its window is shown and it can take the focus; never
// fails.
void FocusEdit(QWidget* edit);
