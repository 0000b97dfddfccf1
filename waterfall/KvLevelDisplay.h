#pragma once
// The level display: colour mapping, colour bar and the level views.

#include "waterfall/KvDisplayLevelView.h"
#include "waterfall/KvLevelAxis.h"
#include "waterfall/KvLevelBar.h"
#include "waterfall/KvLevelColors.h"
#include "waterfall/KvLevelDisplayColors.h"
