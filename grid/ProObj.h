// The grid's support lists: cell integer lists and sort keys, the cell control list, the line by
// line file list and the file picture.
#pragma once

#include "grid/ControlList.h"
#include "grid/FilePicture.h"
#include "grid/FileStringList.h"
#include "grid/IntList.h"
