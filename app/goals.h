// The window's goal: loaded with a world or on its own, cleared, and shown under the world.
#pragma once

// Loads the goal that lies beside the world file NAME.sit as NAME.goal.sit, or clears the goal
// when there is none.
void loadGoalBeside(const char* world);
// Asks for a world through the file selector; a new world brings the goal beside it.
void chooseWorld();
// Asks for a goal file through the file selector and loads it.
void chooseGoal();
// No goal any more.
void clearGoal();
