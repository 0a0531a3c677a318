#pragma once
#include "support/temp_game_folder.hpp"
