// The connections a Wine test's namespace holds, as wine_adapters_test.sh passes them: one
// argument per connection, "NAME|MAC|IP|DNS1|DNS2", in the order the system reports them.
#pragma once

#include <sstream>
#include <string>
#include <vector>

struct ExpectedConnection {
  std::string name;
  std::string mac;
  std::string ip;
  std::string dns1;
  std::string dns2;
};

inline ExpectedConnection ParseExpectedConnection(const std::string& argument) {
  std::vector<std::string> parts;
  std::stringstream in(argument);
  for (std::string part; std::getline(in, part, '|');) {
    parts.push_back(part);
  }
  parts.resize(5);
  return {parts[0], parts[1], parts[2], parts[3], parts[4]};
}

// The expected connections from a test program's arguments (all but the program's name).
inline std::vector<ExpectedConnection> ParseExpectedConnections(int argc, char** argv) {
  std::vector<ExpectedConnection> connections;
  for (int i = 1; i < argc; ++i) {
    connections.push_back(ParseExpectedConnection(argv[i]));
  }
  return connections;
}
