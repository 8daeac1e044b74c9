// Calls queued from any thread to run on the user-interface thread, in the order queued; the
// caller does not wait. They run from the message loop or the next ProcessMessages.
#pragma once

#include <functional>

void QueueOnMainThread(std::function<void()> call);
