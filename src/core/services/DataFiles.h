#pragma once

// The names of the program's data files in its program folder.
inline constexpr char SkinFormatsFileName[] = "SkinFormats.ini";
inline constexpr char FilterFileName[] = "unreal.flt";
inline constexpr char FilterBackupFileName[] = "oldunreal.flt"; // the filter list before a write
inline constexpr char TutorialFileName[] = "tutorial.txt";
inline constexpr char ModelSlotsFileName[] = "ModelSlots.ini"; // where each model wears its skin
inline constexpr char ReadmeFileName[] = "readme.txt"; // shown when there is no tutorial
