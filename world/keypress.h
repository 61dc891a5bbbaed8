// Recording keypress instructions and executing instructions by name.
#pragma once

// Asks for a name and starts recording the robot's actions under it.
void startKeyboardDefine();
// Ends the recording in progress and stores it as an instruction.
void stopKeyboardDefine();
// Asks for an instruction's name and executes it until the robot stops.
void runInstruction();
