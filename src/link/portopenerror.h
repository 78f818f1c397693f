#pragma once

#include "platform/serialport.h"

class QWidget;

// The message a window shows when its port does not open; its title and text depend on
// which kind of window opened the port, and the start-up scan shows nothing at all.
void showPortOpenError(QWidget *parent, PortOpener opener);
