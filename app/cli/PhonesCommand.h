// "tonewick-cli phones [VENDOR [MODEL]]": steps 1 and 2 of the send panel without the window,
// over the same catalogue. No argument: the vendors, one a line, in the vendor list's order.
// A vendor: its models, one a line, in the model list's order. A vendor and a model: on one
// line, separated by spaces, the format labels the panel would enable for that model.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args excludes the program and the subcommand name. Returns the process exit status: 0 after
// listing, 1 for a vendor or model the catalogue doesn't know, 2 on a usage error.
int RunPhonesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
