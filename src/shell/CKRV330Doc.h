// The document: the program's one scene object for the whole run, and the PC preset files
// read into it and written from it. The view works on the scene object through the pointer the
// document hands it before the view's initial update. User-interface thread (the comm worker
// reaches the scene object only under g_csComm).
//
// The Serialize* operations store into an empty archive or load from one holding a whole
// file. Storing takes its copy of the images under g_csComm, since the worker may be packing
// the live image at the same time. Loading checks the whole file first (size, length byte, tag,
// for the mode file its row) and only then copies it into the model under g_csComm: a file
// that fails any check returns 0 and changes nothing. Neither shows anything.
#pragma once

#include "CDocument.h"
#include "CKTV_Data.h"

class CKRV330View;
class CPresetArchive;

class CKRV330Doc : public CDocument {
public:
    CKRV330Doc() = default;

    // The base's new document with an empty title.
    BOOL OnNewDocument() override;
    // Gives the view this document's scene object (before its initial update).
    void AttachView(CKRV330View& view);

    CKTV_Data& GetSceneData() { return m_KtvData; }

    // The file operations work on a scene object: the document's own, or any other (the view
    // holds only the scene object; tests and fuzz targets make their own).
    int SerializeScene(CPresetArchive& ar) { return SerializeScene(m_KtvData, ar); }
    int SerializeAllScenes(CPresetArchive& ar) { return SerializeAllScenes(m_KtvData, ar); }
    int SerializeMap(CPresetArchive& ar) { return SerializeMap(m_KtvData, ar); }

    // One-scene file: the live scene (packed from the model first). Loading applies the image
    // to the data classes. 1 done, 0 not one of these files.
    static int SerializeScene(CKTV_Data& scene, CPresetArchive& ar);
    // All-scenes file: the six stored images, the live scene and 22 system fields. Loading
    // applies the live image, keeps the device's channel mode and fixes the input source up
    // against it (g_nShownInput where the mode cannot play the file's source).
    static int SerializeAllScenes(CKTV_Data& scene, CPresetArchive& ar);
    // Output-map file: speaker types of outputs 1..8 and the ten crossover records. Loading
    // fills g_bySysSpeakerType[0..7] and g_MapData; nothing reaches the channels.
    static int SerializeMap(CKTV_Data& scene, CPresetArchive& ar);
    // Mode file: the current mode index and its row of the mode table; loading writes the row.
    static int SerializeModeFile(CPresetArchive& ar);

    // The fix-up of a loaded input source s for channel mode m: the source to keep.
    static BYTE FixInputSource(BYTE s, BYTE m, BYTE shown);

private:
    CKTV_Data m_KtvData;
};
