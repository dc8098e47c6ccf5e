#include "counting_obj.h"
#include "draw_log.h"

#include "scenegraph/object_node.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using scenegraph::ObjectNode;
using scenegraph::TransformationNode;
using Log = std::vector<std::string>;

TEST(ObjectNode, GeometryAndChildrenArePlacedWithTheParentsMatrix) {
    CountingObj geometry;
    TransformationNode parent("parent", "TransformationNode");
    auto* object = new ObjectNode("rock", "ObjectNode", &geometry);
    auto* below = new TransformationNode("below", "TransformationNode");
    parent.addChild(object);
    object->addChild(below);
    parent.setPosition(glm::vec3(0, 5, 0));
    geometry.setPosition(glm::vec3(1, 0, 0));
    parent.update(0.0);
    EXPECT_EQ(object->modelMatrix, parent.globalModelMat);
    EXPECT_EQ(geometry.lastParentMat, parent.globalModelMat);
    EXPECT_FLOAT_EQ(geometry.globalModelMat[3][0], 1.0f);
    EXPECT_FLOAT_EQ(geometry.globalModelMat[3][1], 5.0f);
    EXPECT_FLOAT_EQ(below->globalModelMat[3][1], 5.0f);
}

TEST(ObjectNode, TopLevelUpdateHandsTheGeometryIdentity) {
    CountingObj geometry;
    ObjectNode object("moon", "ObjectNode", &geometry);
    object.modelMatrix = glm::mat4(3.0f);
    geometry.setPosition(glm::vec3(0, 0, -7));
    object.update(0.0);
    EXPECT_EQ(object.modelMatrix, glm::mat4(1.0f));
    EXPECT_FLOAT_EQ(geometry.globalModelMat[3][2], -7.0f);
}

TEST(ObjectNode, DrawsGeometryAndEveryChildWhateverItsStatus) {
    CountingObj geometry;
    Log log;
    ObjectNode object("rock", "ObjectNode", &geometry);
    auto* hidden = new LoggingNode("hidden", &log);
    hidden->status = scenegraph::STATUS_HIDDEN;
    object.addChild(hidden);
    drawOnce(object);
    EXPECT_EQ(geometry.draws, 1);
    EXPECT_EQ(log, Log{"hidden"});
}

TEST(ObjectNode, SwitchedOffDrawsNothingEvenChildrenSwitchedOn) {
    CountingObj geometry;
    Log log;
    ObjectNode object("rock", "ObjectNode", &geometry);
    auto* child = new LoggingNode("child", &log);
    object.addChild(child);
    object.setDrawStatus(0);
    child->setDrawStatus(1);
    drawOnce(object);
    EXPECT_EQ(geometry.draws, 0);
    EXPECT_TRUE(log.empty());
}

TEST(ObjectNode, MissingGeometryStillWalksTheChildren) {
    Log log;
    TransformationNode parent("parent", "TransformationNode");
    auto* object = new ObjectNode("empty", "ObjectNode", nullptr);
    auto* child = new LoggingNode("child", &log);
    parent.addChild(object);
    object->addChild(child);
    parent.setPosition(glm::vec3(2, 0, 0));
    parent.update(0.0);
    object->update(0.0);
    drawOnce(parent);
    EXPECT_EQ(log, Log{"child"});
    EXPECT_EQ(object->getGeomObj(), nullptr);
}
