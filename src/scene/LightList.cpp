#include "scene/LightList.h"

namespace wf {
namespace {
LightList fallbackList;
LightList* theList = nullptr;
}  // namespace

LightList& currentLightList() { return theList ? *theList : fallbackList; }
void setCurrentLightList(LightList* list) { theList = list; }

}  // namespace wf
