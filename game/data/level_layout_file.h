#pragma once
// Level layout files: an "info" element and one "line" element per row, read into the record the
// board's rules build from.

#include <string>

#include "app/xml_reader.h"
#include "rules/level_layout_data.h"
#include "rules/mosaic_board.h"

// Hidden reward cells a level gets when its file names none; set before a level file is read.
extern int DefaultRewardCellCount;

// Reads the file (data path rules apply). False, with the reader's log lines, when it is not XML or
// has no "info" element.
bool ReadLevelLayoutFile(const std::string& path, TLevelLayoutData& data);
// The same from a document in memory; its name becomes the record's path.
bool ReadLevelLayout(const TXmlSource& source, TLevelLayoutData& data);

// Sends the board's log lines to the game log.
void ConnectBoardLog(TMosaicBoard& board);

// Reads the file and builds the board from it; false when either step fails.
bool LoadLevelLayout(TMosaicBoard& board, const std::string& path, bool singleColour);
bool LoadLevelLayout(TMosaicBoard& board, const TXmlSource& source, bool singleColour);
// Whether the loaded board with its clues stands inside the design screen (the level checker's rule);
// when not, a log line names the level and its size.
bool FitsTheScreen(const TMosaicBoard& board);
