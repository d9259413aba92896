// TPersistent: the common base of the codec's model objects (items, lists and
// colour tables). It lets a warning name the object that met the condition.
#pragma once

class TPersistent {
public:
  TPersistent() = default;
  TPersistent(const TPersistent&) = delete;
  TPersistent& operator=(const TPersistent&) = delete;
  virtual ~TPersistent() = default;
};
