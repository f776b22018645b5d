#pragma once
// Levels and the save file. A level is one JSON document: "tile_map",
// "entities" and "graphics" (the lighting values). Shipped levels live in
// "levels/"; outside the editor a saved copy of the same name in the save
// folder takes precedence. The save file "save_file.json" in the save folder
// holds what the "LevelUnload" and "LevelUnloadFinished" listeners wrote,
// plus "last_level".
//
// Every file is replaced whole through a temporary file, so a failed write
// leaves the previous file as it was. File errors are not errors here: a
// missing save file reads as null and a failed write writes nothing. A saved
// copy that cannot be read or built is set aside for the shipped level, or,
// when there is none, the level is refused as missing; only a shipped level
// that cannot be read or built throws, out of LoadLevel, and a level that
// exists nowhere only at the first level of a start. A component type that
// nothing registered is no reason to set a copy aside: see
// components::Adopt.

#include <string>

#include <json/value.h>

// A level name is a plain file name: not empty, without a NUL, a path
// separator or "..", and not the name of one of the save folder's own files
// in any mix of cases. LevelNameProblem says what is wrong with one (""
// when nothing is); CheckLevelName logs that as one line, after who and
// followed by what happens instead, and is true only for a plain name.
// Every name that becomes a level's path is checked.
std::string LevelNameProblem(const std::string& name);
bool CheckLevelName(const std::string& name, const std::string& who, const std::string& outcome = "");

// Whether a level of that (plain) name is there to be loaded: in "levels/"
// or, unless shippedOnly, as a saved copy. CheckLevelExists logs one line
// like CheckLevelName's when it is not.
bool LevelExists(const std::string& name, bool shippedOnly);
bool CheckLevelExists(const std::string& name, bool shippedOnly, const std::string& who, const std::string& outcome);
// The name between quotation marks, control characters shown as '?'.
std::string QuotedLevelName(const std::string& name);

// Replaces the current level: unloads it, destroys every entity and the tile
// map, reads the named level, builds the tile map and the entities (in file
// order, each component deserialised and initialised before the next), applies
// the lighting values, makes name the current and next level, then reads the
// save file and raises "LevelLoad" (not in the editor). A refused name, or
// a level that exists nowhere (in the editor: not in "levels/"), changes
// nothing but the one line that says so, and the change asked for is
// dropped; only the first level of a start throws when it does not exist. In
// the editor a level that cannot be read throws before the unload, and one
// that cannot be built throws with the current level built again as it was:
// either way the current level and its name stay. A change asked during the
// load (see LevelChangePending) is carried out after it.
void LoadLevel(std::string name);

// Whether a level change has been asked and not yet carried out, so that a
// further one is ignored: a load is requested (a restart or a reload of the
// current level included), or the next level is not the current one. Once a
// load is under way the change that asked for it is no longer pending: one
// asked while the level is built (by a component's Initialize) is carried out
// after the load.
bool LevelChangePending();

// The level the entities belong to: while LoadLevel makes a level's
// entities, that level (it becomes the current one only afterwards);
// otherwise the current level.
const std::string& LevelOfEntities();

// Raises "LevelUnload", flushes queued destructions, raises
// "LevelUnloadFinished", then writes the save file when saving is armed and
// the editor is neither the current nor the requested mode. An unload that
// does not write arms saving again, so disarming skips exactly one save.
void UnloadLevel();

// Writes the current level under name into the save folder, or into
// "levels/". In the editor "LevelUnload" is raised first (with a scratch
// document) and queued destructions are carried out. False, with nothing
// written and the reason logged, when the name is refused or the file could
// not be written.
bool SaveLevel(const std::string& name, bool toSaveFolder);

// Reads the save file and raises "LevelLoad" with it (null when there is
// none); in the editor it does nothing.
void LoadSaveFile();

// The save file's "last_level", or "" when there is none.
std::string GetLastLevel();

// Deletes every ".json" file of the save folder: the saved levels and the
// save file. Throws when the save folder cannot be made.
void ClearSaveFolder();

// The one-shot listener "LuaSaveLevelOnUnload" on "LevelUnloadFinished":
// saves the level being left into the save folder, then disconnects itself.
void OnLuaSaveLevelOnUnload(Json::Value* document);
