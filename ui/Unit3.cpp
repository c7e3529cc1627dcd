#include "ui/Unit3.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {}

int TAboutBox::ShowModal() { return exec(); }
