// The string grid's option sets and its cell checker.
#pragma once

#include "grid/Bands.h"
#include "grid/MouseActions.h"
#include "grid/Navigation.h"
#include "grid/ProStringGridCheck.h"
#include "grid/SearchFooter.h"
#include "grid/SyncGrid.h"
