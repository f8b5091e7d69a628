#ifndef CHECKOPTIONS_H
#define CHECKOPTIONS_H

// The six syntax-check options of an editor window. They always travel in
// this order: check on editing, calculation entries only, number format,
// suspicious values, illegal characters, check on loading.
struct CheckOptions
{
    bool checkOnEditing = true;
    bool calcErrors = false;
    bool formatErrors = true;
    bool valueWarnings = true;
    bool characterWarnings = true;
    bool checkOnLoading = false;

    bool operator==(const CheckOptions& o) const
    {
        return checkOnEditing == o.checkOnEditing && calcErrors == o.calcErrors
            && formatErrors == o.formatErrors && valueWarnings == o.valueWarnings
            && characterWarnings == o.characterWarnings && checkOnLoading == o.checkOnLoading;
    }
    bool operator!=(const CheckOptions& o) const { return !(*this == o); }
};

#endif
