// Messages sent from other threads to the user-interface thread; platform-private glue between
// SendMessage and the message loop (Application.cpp).
#pragma once

#include "platform/ui/Messages.h"

#include <cstdint>

class TControl;

// The live control of an id, or nullptr (Application.cpp).
TControl* LiveControl(std::uint64_t id);
// True on the thread that runs the user interface (also before there is one).
bool OnUiThread();
// Queues the message for the control's thread and waits until it was handled there; 0 when the
// control is gone before (or while) the message waits.
LRESULT SendFromOtherThread(std::uint64_t controlId, unsigned msg, WPARAM wParam, LPARAM lParam);
// Handles the sent messages waiting now (user-interface thread); true when there were any.
bool DeliverSentMessages();
// Sent messages waiting for the user-interface thread (for tests).
int PendingSentMessages();
// The control is being destroyed: its waiting senders are released with 0.
void DropSentMessages(std::uint64_t controlId);
