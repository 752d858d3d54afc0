#pragma once
// The demo workspace: a model-horse stable with one horse of every kind of use, and an
// ordinary stable of four horses with an owner, fed from the sample feed list.

#include <string>

#include "stable/workspace.h"

namespace stallora {

// Builds the demo stables into the workspace (and its save directory) and adds the owner to
// the contacts. `feeds` is the list the rations are taken from (by feed name). Returns the
// names of feeds the rations wanted but the list lacks (empty when all were found).
std::vector<std::string> BuildDemoWorkspace(Workspace& workspace, const TForListe& feeds);

}  // namespace stallora
