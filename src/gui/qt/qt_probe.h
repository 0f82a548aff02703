// The real widgets behind window and gadget numbers, for the Qt backend's own tests and the Qt
// half of the scripted user.
#pragma once
class QWidget;

QWidget* GadgetWidget(int number);
QWidget* WindowWidget(int number);
