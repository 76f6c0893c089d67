// Turns one registration file ("*.pre", left in the data folder by an installer) into a
// register entry: validation, superseded versions, instances, product and version folders,
// the product's History.lst. The file is consumed whatever its content.
#pragma once

#include <string>

namespace nimbus::update {

class RegList;
struct RegProduct;

class RegistrationIntake {
public:
    enum class Result {
        NoData,   // nothing known was read: the file was deleted
        Refused,  // read but erroneous: "Version ignored due to errors"
        Accepted, // added to the register and to newList
    };

    // programFolder is the install folder of a registration that names none.
    RegistrationIntake(RegList &reg, std::string programFolder);

    Result take(const std::string &path);

private:
    bool validate(RegProduct &entry);
    bool alreadyInstalled(const RegProduct &entry) const;
    // The instance the new entry gets beside the register's other installations of it.
    std::string instanceFor(const RegProduct &entry) const;
    void markOlderVersions(const RegProduct &entry);
    void accept(RegProduct entry);

    RegList &reg_;
    std::string programFolder_;
};

} // namespace nimbus::update
