// The runner's output files checked against its inputs before anything runs.
#pragma once
#include <string>
#include <vector>

// False, after a message on standard error naming it, when one of outputs (null entries
// skipped) names the same file as one of inputs or as another output.
bool outputsSafe(const std::vector<const char*>& outputs, const std::vector<std::string>& inputs);
