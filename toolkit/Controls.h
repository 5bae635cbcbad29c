// The controls a dialog is made of, one family to a file: the base every
// control shares, the simple controls, the byte-limited edit and the spin field.
#pragma once

#include "toolkit/Control.h"
#include "toolkit/Edit.h"
#include "toolkit/SimpleControls.h"
#include "toolkit/SpinEdit.h"
