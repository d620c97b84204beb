#include "CourseBuilder.h"

namespace lentora::course {

void buildTheoryContent(const CourseContext&) {}

}  // namespace lentora::course
