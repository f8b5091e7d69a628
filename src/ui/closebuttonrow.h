#ifndef CLOSEBUTTONROW_H
#define CLOSEBUTTONROW_H

class QDialog;
class QHBoxLayout;
class QPushButton;
class QString;

// The bottom row of a dialog that only shows something: a "Close" button
// (object name pbClose) on the right that closes the dialog.
QHBoxLayout* closeButtonRow(QDialog* dialog, QPushButton*& button);

// A named push button that never takes the Return key: in these dialogs
// Return belongs to the item being edited.
QPushButton* namedButton(const QString& text, const char* name);

#endif
