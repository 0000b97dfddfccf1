#pragma once
// The data display framework: the display base, its components and views,
// zoom settings and history, the toolbar, and the export of its picture.

#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxisList.h"
#include "display/KvDisplayCollectionItems.h"
#include "display/KvDisplayComponent.h"
#include "display/KvDisplayExport.h"
#include "display/KvDisplayLabel.h"
#include "display/KvDisplayPersistent.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvDisplayViews.h"
#include "display/KvDisplayZoom.h"
#include "display/KvScopeTypes.h"
#include "display/KvViewButtonSettings.h"
#include "display/KvZoomHistory.h"
#include "foundation/HxCanvas.h"
