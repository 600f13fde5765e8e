// The single-instance guard of the main window.
#pragma once

#include <memory>
#include <string>

namespace mk::platform {
class InstanceLock;
}

namespace mk::app {

class TJustOne {
 public:
  /// Takes the lock named `name` (the program's file name without folder).
  explicit TJustOne(const std::string& name);
  ~TJustOne();

  /// False for a second copy, which must end without showing anything.
  bool OwnsMutex = false;

 private:
  std::unique_ptr<platform::InstanceLock> lock_;
};

}  // namespace mk::app
