// Pictures of the world for worksheets and slides: World > Save picture writes the world
// picture, cropped to what is drawn, as a PNG file.
#pragma once
#include <string>

class wxImage;
class wxSize;

// Asks for a PNG file and writes the world picture into it; a box tells of a failure.
void savePicture();
// The size, from the top left, that holds every pixel of image that is not white (1 x 1 at
// least).
wxSize drawnExtent(const wxImage& image);
// The image in the format of type (a wxBitmapType) as bytes; false when it cannot be encoded.
bool encodeImage(const wxImage& image, int type, std::string& bytes);
// The box "File Error" naming the file that cannot be written, the reason, and the file that
// keeps its old content when there is one.
void cannotWrite(const char* name, int error, const std::string& keptOld);
// Writes bytes to the file name safely (beside it, then renamed over it); a box naming the
// file and the reason when that fails.
bool writeImageFile(const char* name, const std::string& bytes);
