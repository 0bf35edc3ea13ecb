// What a declaration of each scene type makes: the object, created with the
// declaration's argument, registered and then given the declared name, in
// exactly that order. Each function does only that (and whatever the
// object's own construction prints); the caller prints the declaration's
// name line and the type's console text before calling.
//
// Console lines printed by these functions themselves (when a console exists):
//   declareModel        "loading model: " + object name, one line per object
//                       block (a damaged file adds "damaged model file: " +
//                       file name, invalid faces "faces with invalid vertex
//                       indices dropped: " + count, both level 0); for the
//                       argument "Logo" (any case) the line "loading Logo. ".
//                       A missing file is reported by the file reader.
//   declareLight        "Unbekannter Lichttyp" (level 0; a message box
//                       without console) for a type other than 0 and 1.
//   declareTree         nothing.
//   declareHeightfield  nothing.
//   declareSkeleton     nothing with the built-in bones ("Bone-X zeros" /
//                       "Bone-Y zeros" could only come from other bones).
#pragma once
#include <string>

#include "scene/ObjectRegistry.h"
#include "scene/SceneObject.h"

namespace wf {

// MODEL: the logo for "Logo" (its meshes "Aussenring", "Innen-C", then the
// Logo), else a model from the named file (its meshes, then the Model).
SceneObject* declareModel(ObjectRegistry& registry, const std::string& name, const std::string& argument);
// LIGHT: the argument is the light type (an integer expression).
SceneObject* declareLight(ObjectRegistry& registry, const std::string& name, const std::string& argument);
// BAUM: the tree is registered first, then grown from the argument read as
// a matrix (depth, length, thickness), then named.
SceneObject* declareTree(ObjectRegistry& registry, const std::string& name, const std::string& argument);
// HEIGHTFIELD: the argument is ignored.
SceneObject* declareHeightfield(ObjectRegistry& registry, const std::string& name, const std::string& argument);
// SKELETT
SceneObject* declareSkeleton(ObjectRegistry& registry, const std::string& name, const std::string& argument);

}  // namespace wf
