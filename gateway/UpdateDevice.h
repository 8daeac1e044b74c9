// The main window's "Update Device" step: the configuration's folder must exist, the uplink rules must fit
// the payload size, then both device images are compiled and written into the configuration's bin folder, and
// the update dialog opens for the Ethernet transport. Any failure is shown and ends the step there, so the
// dialog never opens over images that were not written.
#pragma once

// True when the update dialog was shown.
bool Update_Device();
