#pragma once
// The data display framework: the display base, its components and views,
// zoom settings and history, the toolbar, title and legend, marker groups
// and highlighting, and the export of its picture.

#include "display/KvBasicDisplayAxes.h"
#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxisList.h"
#include "display/KvDisplayCollectionItems.h"
#include "display/KvDisplayComponent.h"
#include "display/KvDisplayExport.h"
#include "display/KvDisplayHighlighting.h"
#include "display/KvDisplayLabel.h"
#include "display/KvDisplayMarkerSettings.h"
#include "display/KvDisplayMarkers.h"
#include "display/KvDisplayPersistent.h"
#include "display/KvDisplayTitle.h"
#include "display/KvDisplayToolBar.h"
#include "display/KvDisplayViews.h"
#include "display/KvDisplayZoom.h"
#include "display/KvLegendGroup.h"
#include "display/KvLegendView.h"
#include "display/KvMarkerGeometry.h"
#include "display/KvScopeTypes.h"
#include "display/KvViewButtonSettings.h"
#include "display/KvZoomHistory.h"
#include "foundation/HxCanvas.h"
