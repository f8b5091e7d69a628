#ifndef CLOSEBUTTONROW_H
#define CLOSEBUTTONROW_H

class QDialog;
class QHBoxLayout;
class QPushButton;

// The bottom row of a dialog that only shows something: a "Close" button
// (object name pbClose) on the right that closes the dialog.
QHBoxLayout* closeButtonRow(QDialog* dialog, QPushButton*& button);

#endif
